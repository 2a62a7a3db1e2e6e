#pragma once

#include "platform/numeric/Matrix.hpp"

// The reductions and counting of the analysis and the chart primitives. A vector (one row or
// one column) is reduced as a whole; a matrix is reduced per column, giving a row.
namespace ambiscan {

Matrix maxOf(const Matrix& m);  // NaN ignored unless all are NaN
Matrix minOf(const Matrix& m);
Matrix meanOf(const Matrix& m);    // empty input gives NaN
Matrix medianOf(const Matrix& m);  // mean of the two middle values for even counts; NaN if any NaN
Matrix stdOf(const Matrix& m);     // divisor n - 1; a single value gives 0; empty gives NaN
Matrix cumsumOf(const Matrix& m);

// Scalar forms on a vector, for the analysis' columns.
double maxValue(const Matrix& v);
double meanValue(const Matrix& v);
double medianValue(const Matrix& v);
double stdValue(const Matrix& v);

// Edge counting: count k holds the values v with edges[k] <= v < edges[k+1]; the last count
// holds the values equal to the last edge. NaN and values outside the edges are not counted.
// A vector of values gives counts in its own orientation; a matrix gives one column per column.
Matrix histc(const Matrix& values, const Matrix& edges);

// Rounding as the program means it: halves away from zero.
double roundHalfAway(double x);

}  // namespace ambiscan
