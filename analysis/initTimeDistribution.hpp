#pragma once

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// Percentages of all attempts in the 5-second bins centred on 0, 5, ..., 500 (101 values); the
// bin beyond 502.5 s is dropped.
Matrix distributionPercentages(const Matrix& times, double numInits);

}  // namespace ambiscan::analysis
