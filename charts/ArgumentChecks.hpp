#pragma once

#include <string>
#include <vector>

#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

// The argument checks shared by the chart primitives: the count of arguments and the fit of
// positions to values.
namespace ambiscan::charts {

// Empty when low <= count <= high, otherwise the message that says which way the count is off.
std::string argumentCountMessage(std::size_t low, std::size_t high, std::size_t count);

// Number of elements of an argument: of a matrix, the characters of a text, the cells of a row.
std::size_t elementCount(const Value& v);

// Positions and values of a plotting call. With one argument the values are taken alone and the
// positions are 1, 2, ... one per row. Vectors come back as columns; a vector of positions
// against a matrix of values must match its rows (or its columns, when the values are then
// transposed). `msg` is empty when the data fit together.
struct PlotData {
    std::string msg;
    Matrix x, y;
};
PlotData checkPlotData(const std::vector<Value>& data);

}  // namespace ambiscan::charts
