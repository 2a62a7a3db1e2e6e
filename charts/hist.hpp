#pragma once

#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::charts {

struct HistCounts {
    Matrix no;  // counts: a row for vector values, one column per column for a matrix
    Matrix xo;  // bin centres
};

// hist(y) / hist(y, x): counts of y in bins given by a bin count (a single number) or by
// centres. Raises "Requires one or two input arguments." / "Input arguments must be numeric.".
HistCounts hist(const std::vector<Value>& args);
// Convenience for the common form: values and bin centres.
HistCounts hist(const Matrix& y, const Matrix& centres);

// hist with no output: the counts drawn as a histogram bar chart.
void histDraw(graphics::Graphics& graphics, const std::vector<Value>& args);

}  // namespace ambiscan::charts
