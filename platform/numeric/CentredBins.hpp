#pragma once

#include <vector>

#include "platform/numeric/Matrix.hpp"

// The counting rule of the run's histograms, apart from any chart: the analysis counts with it
// and draws nothing.
namespace ambiscan {

// The smallest and largest value that is not NaN; both NaN when there is none.
void valueRange(const Matrix& y, double& lo, double& hi);

// Bin boundaries halfway between neighbouring centres, the outer ones widened to take in every
// value of y: one more than the centres.
std::vector<double> boundariesFromCentres(const Matrix& y, const Matrix& centres);

// Counts per column of y: a value v counts in bin k when boundary k < v <= boundary k + 1; the
// first bin also takes everything at or below its lower boundary and the last everything above
// its upper one. Every boundary is nudged up by one relative step so that a value on an inner
// boundary falls to the lower bin. NaN is not counted.
Matrix countInBins(const Matrix& y, const std::vector<double>& boundaries);

// Counts of the values of a vector in the bins of the centres, as a row: what the histogram
// chart shows for them.
Matrix centredBinCounts(const Matrix& values, const Matrix& centres);

}  // namespace ambiscan
