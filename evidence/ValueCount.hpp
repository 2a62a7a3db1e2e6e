#pragma once

#include <cstddef>
#include <vector>

namespace ambiscan::evidence {

// A sample as its distinct values, smallest first, each with how often it occurs.
struct ValueCount {
    double value;
    std::size_t count;
};

// Sorts the values and counts equal ones; NaN must not occur (-0 counts as 0).
std::vector<ValueCount> distinctValues(const std::vector<double>& values);

}  // namespace ambiscan::evidence
