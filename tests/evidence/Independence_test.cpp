#include "evidence/Independence.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::evidence {
namespace {

// Computed independently in Python (scipy 1.10, numpy):
//   seq = [1,1,1,0,0,1,1,1,1,0,0,0,1,1,1,1,1,1,0,1]        # 1 good
//   n1 = sum(seq); n2 = len(seq) - n1; n = len(seq)
//   R = 1 + sum(seq[i] != seq[i - 1] for i in range(1, n))  # 7
//   mu = 2*n1*n2/n + 1; var = 2*n1*n2*(2*n1*n2 - n) / (n*n*(n - 1))
//   2 * stats.norm.sf(abs(R - mu) / math.sqrt(var))         # 0.18454748034911217
//   x = np.array([1 - v for v in seq], float); xm = x - x.mean()
//   (xm[:-1] * xm[1:]).sum() / (xm * xm).sum()              # 0.2642857142857143
TEST(Independence, RunsTestAndLagOneAutocorrelation) {
    const std::vector<int> seq = {1, 1, 1, 0, 0, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 1};
    const Independence i = independence(std::vector<bool>(seq.begin(), seq.end()));
    EXPECT_EQ(i.runs, 7u);
    EXPECT_EQ(i.good, 14u);
    EXPECT_EQ(i.bad, 6u);
    EXPECT_DOUBLE_EQ(i.expectedRuns, 9.4);
    EXPECT_NEAR(i.runsTestP, 0.18454748034911217, 1e-12);
    EXPECT_NEAR(i.lag1Autocorrelation, 0.2642857142857143, 1e-12);
}

// By hand: all alike has one run, no variance (p = 1) and no autocorrelation; strict
// alternation of 10 + 10 has 20 runs against 11 expected, variance 2*100*180/(400*19),
// z = 9 / 2.1764 = 4.135, p about 3.5e-5; the indicator's lag-1 autocorrelation is -19/20.
TEST(Independence, AllAlikeAndStrictAlternation) {
    const Independence same = independence(std::vector<bool>(12, true));
    EXPECT_EQ(same.runs, 1u);
    EXPECT_EQ(same.runsTestP, 1);
    EXPECT_TRUE(std::isnan(same.lag1Autocorrelation));
    std::vector<bool> alternating;
    for (int k = 0; k < 20; ++k) {
        alternating.push_back(k % 2 == 0);
    }
    const Independence a = independence(alternating);
    EXPECT_EQ(a.runs, 20u);
    EXPECT_DOUBLE_EQ(a.expectedRuns, 11);
    EXPECT_NEAR(a.runsTestP,
                2 * 0.5 * std::erfc(9 / std::sqrt(2 * 100 * 180 / (400.0 * 19)) / std::sqrt(2.0)),
                1e-15);
    EXPECT_LT(a.runsTestP, 1e-4);
    EXPECT_DOUBLE_EQ(a.lag1Autocorrelation, -0.95);
    EXPECT_EQ(independence({}).runsTestP, 1);
}

}  // namespace
}  // namespace ambiscan::evidence
