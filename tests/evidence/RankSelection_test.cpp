#include "evidence/RankSelection.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "evidence/Intervals.hpp"

namespace ambiscan::evidence {
namespace {

// The selection from a histogram against a plain sort, on samples shaped like the run's: metre
// errors over a few decades, whole seconds with many ties, values that all share one bin, signed
// values, zeros of both signs and infinities.
TEST(RankSelection, HistogramSelectionGivesTheSortedValueAtEveryRankAsked) {
    std::mt19937_64 random(7);
    std::vector<std::vector<double>> samples(5);
    std::lognormal_distribution<double> metres(-4, 1.2);
    std::uniform_int_distribution<int> seconds(5, 600);
    std::normal_distribution<double> signedError(0, 0.02);
    for (int i = 0; i < 20000; ++i) {
        samples[0].push_back(metres(random));
        samples[1].push_back(seconds(random));
        samples[2].push_back(1.0 + (i % 977) * std::numeric_limits<double>::epsilon());
        samples[3].push_back(signedError(random));
    }
    samples[4] = samples[3];
    for (int i = 0; i < 300; ++i) {
        samples[4][static_cast<std::size_t>(i) * 7] = i % 3 == 0 ? 0.0
                                                      : i % 3 == 1
                                                          ? -0.0
                                                          : std::numeric_limits<double>::infinity();
    }
    for (const std::vector<double>& values : samples) {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = values.size();
        const std::vector<std::size_t> ranks{1, 2, n / 2, n / 2 + 1, (95 * n + 99) / 100, n - 1, n};
        std::vector<double> picked(ranks.size());
        valuesAtRanksByHistogram(values, ranks.data(), ranks.size(), picked.data());
        std::vector<double> copy = values;
        const std::vector<double> dispatched = valuesAtRanks(copy, {n, 0, 1, n / 2});
        for (std::size_t k = 0; k < ranks.size(); ++k) {
            EXPECT_EQ(picked[k], sorted[ranks[k] - 1]) << "rank " << ranks[k];
        }
        EXPECT_EQ(dispatched[0], sorted[n - 1]);
        EXPECT_TRUE(std::isnan(dispatched[1]));
        EXPECT_EQ(dispatched[2], sorted[0]);
        EXPECT_EQ(dispatched[3], sorted[n / 2 - 1]);
    }
}

}  // namespace
}  // namespace ambiscan::evidence
