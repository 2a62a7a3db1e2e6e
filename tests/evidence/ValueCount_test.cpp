#include "evidence/ValueCount.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>

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

// Long samples are sorted by radix passes: the same values and counts as a plain ordered count,
// on differences of decimal times with ties, zeros of both signs and values of every size.
TEST(DistinctValues, LongSamplesAgreeWithAPlainOrderedCount) {
    std::mt19937_64 random(5);
    std::normal_distribution<double> time(40, 15);
    for (const int digits : {1, 3, 4}) {
        const double scale = std::pow(10.0, digits);
        std::vector<double> values;
        for (int k = 0; k < 50000; ++k) {
            values.push_back(std::round(time(random) * scale) / scale -
                             std::round(time(random) * scale) / scale);
        }
        values.insert(values.end(), {0.0, -0.0, 1e300, -1e300, 1e-310, -1e-310, 0.0});
        std::map<double, std::size_t> plain;
        for (const double v : values) {
            ++plain[v];  // -0 and 0 are one key
        }
        const std::vector<ValueCount> d = distinctValues(values);
        ASSERT_EQ(d.size(), plain.size()) << digits;
        std::size_t k = 0;
        for (const auto& [value, count] : plain) {
            ASSERT_EQ(d[k].value, value) << digits;
            ASSERT_EQ(d[k].count, count) << digits;
            ++k;
        }
    }
}

}  // namespace
}  // namespace ambiscan::evidence
