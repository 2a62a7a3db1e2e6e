#pragma once

#include <cstddef>
#include <vector>

namespace ambiscan::evidence {

// Values from this many on are selected from a histogram (below, one selection over all of
// them costs less than the histogram's two passes).
inline constexpr std::size_t kHistogramSelectionFrom = 4096;

// The values at `count` sorted, distinct ranks (1-based, each within 1..values.size()) of values
// without NaN, into out[0..count): a histogram of each value's leading 16 order bits finds the
// bins the ranks fall in, and a selection among the values of those bins alone finds each
// value. Two passes over the values, where a selection per rank walks them several times (a
// million values: bench/README.md). The values are left as they are.
void valuesAtRanksByHistogram(const std::vector<double>& values, const std::size_t* ranks,
                              std::size_t count, double* out);

}  // namespace ambiscan::evidence
