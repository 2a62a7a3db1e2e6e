#pragma once

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// The 81 bin edges -0.2, -0.195, ..., 0.2 m, formed from both ends so that the middle one is
// exactly 0 and the outer ones exactly -0.2 and 0.2.
Matrix histogramEdges();

// The 79 shown percentages of all `numInits` attempts, for the bins from -0.195 to 0.2 m (the
// first bin and the count of errors equal to 0.2 are not shown).
Matrix histogramPercentages(const Matrix& errors, double numInits);

}  // namespace ambiscan::analysis
