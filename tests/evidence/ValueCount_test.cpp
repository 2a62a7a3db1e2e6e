#include "evidence/ValueCount.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace ambiscan::evidence {
namespace {

// Sorted through whole-number keys: negative values, -0 and the largest values keep their order.
TEST(DistinctValues, AscendingWithCountsAcrossZeroAndTheEnds) {
    const double big = std::numeric_limits<double>::max();
    const std::vector<ValueCount> d =
        distinctValues({3, -2.5, 0.0, -0.0, 3, -big, big, -2.5, 1e-300});
    ASSERT_EQ(d.size(), 6u);
    const std::vector<double> values = {-big, -2.5, 0, 1e-300, 3, big};
    const std::vector<std::size_t> counts = {1, 2, 2, 1, 2, 1};
    for (std::size_t k = 0; k < d.size(); ++k) {
        EXPECT_EQ(d[k].value, values[k]);
        EXPECT_EQ(d[k].count, counts[k]);
    }
    EXPECT_TRUE(distinctValues({}).empty());
}

}  // namespace
}  // namespace ambiscan::evidence
