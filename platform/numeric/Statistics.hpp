#pragma once

#include "platform/numeric/Matrix.hpp"

// The reductions and counting of the analysis and the chart primitives.
namespace ambiscan {

// Reductions of a vector (one row or one column, or any matrix taken as one run of values), for
// the analysis' columns.
double maxValue(const Matrix& v);   // NaN ignored unless all are NaN
double meanValue(const Matrix& v);  // empty input gives NaN
double medianValue(
    const Matrix& v);              // mean of the two middle values for even counts; NaN if any NaN
double stdValue(const Matrix& v);  // divisor n - 1; a single value gives 0; empty gives NaN

// Edge counting: count k holds the values v with edges[k] <= v < edges[k+1]; the last count
// holds the values equal to the last edge. NaN and values outside the edges are not counted.
// A vector of values gives counts in its own orientation; a matrix gives one column per column.
Matrix histc(const Matrix& values, const Matrix& edges);

// Rounding as the program means it: halves away from zero.
double roundHalfAway(double x);

}  // namespace ambiscan
