#include "evidence/PairedDifference.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::evidence {
namespace {

// Newcombe (1998), "Two-sided confidence intervals for the single proportion", Table I, Wilson
// score method: 81/263 is 0.2553 to 0.3662, 15/148 0.0624 to 0.1605, 1/29 0.0061 to 0.1718,
// 0/20 0 to 0.1611.
TEST(Wilson, PublishedLimits) {
    const Interval a = wilson95(81, 263);
    EXPECT_NEAR(a.lower, 0.2553, 5e-5);
    EXPECT_NEAR(a.upper, 0.3662, 5e-5);
    const Interval b = wilson95(15, 148);
    EXPECT_NEAR(b.lower, 0.0624, 5e-5);
    EXPECT_NEAR(b.upper, 0.1605, 5e-5);
    const Interval c = wilson95(1, 29);
    EXPECT_NEAR(c.lower, 0.0061, 5e-5);
    EXPECT_NEAR(c.upper, 0.1718, 5e-5);
    const Interval none = wilson95(0, 20);
    EXPECT_EQ(none.lower, 0);
    EXPECT_NEAR(none.upper, 0.1611, 5e-5);
    EXPECT_TRUE(std::isnan(wilson95(0, 0).lower));
}

// Newcombe (1998), "Improved confidence intervals for the difference between binomial
// proportions based on paired data", worked example 18/12/2/18 (method 10): 0.0562 to 0.3290.
// In our table the first proportion is b's: 12 rows good with b only, 2 with a only.
TEST(PairedDifference, NewcombesWorkedExample) {
    const Interval d = pairedDifference95({18, 2, 12, 18});
    EXPECT_NEAR(d.lower, 0.0562, 5e-5);
    EXPECT_NEAR(d.upper, 0.3290, 5e-5);
    // Turned round, the interval turns round.
    const Interval r = pairedDifference95({18, 12, 2, 18});
    EXPECT_NEAR(r.lower, -0.3290, 5e-5);
    EXPECT_NEAR(r.upper, -0.0562, 5e-5);
}

// All rows alike: a margin is 0, phi = 0, and the interval is that of two Wilson intervals
// around a difference of 0: with both always good, [-(1 - l), 1 - l] for l = wilson(n, n).lower.
TEST(PairedDifference, AZeroMarginAndNoRows) {
    const Interval w = wilson95(20, 20);
    const Interval d = pairedDifference95({20, 0, 0, 0});
    EXPECT_NEAR(d.lower, -(1 - w.lower), 1e-12);
    EXPECT_NEAR(d.upper, 1 - w.lower, 1e-12);
    EXPECT_TRUE(std::isnan(pairedDifference95({}).lower));
}

}  // namespace
}  // namespace ambiscan::evidence
