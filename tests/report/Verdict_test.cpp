#include "report/Verdict.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::report {
namespace {

const double kNaN = std::nan("");

evidence::RunEvidence run(const evidence::Comparison& c, double aReliability = 99,
                          double bReliability = 97.333) {
    evidence::RunEvidence e;
    e.dataSets.resize(2);
    e.dataSets[0].name = "RxA";
    e.dataSets[0].reliabilityPercent = aReliability;
    e.dataSets[1].name = "RxB";
    e.dataSets[1].reliabilityPercent = bReliability;
    e.comparisons = {c};
    e.comparedPValues = 2;
    return e;
}

// The time test's p, its direction and the effect where both fixed correctly.
evidence::Comparison times(double pHolm, int bSlower, double shift, evidence::Interval ci,
                           std::size_t onlyA, std::size_t onlyB, std::size_t both = 50) {
    evidence::Comparison c;
    c.a = 0;
    c.b = 1;
    c.timePHolm = pHolm;
    c.bSlower = bSlower;
    c.hodgesLehmannSeconds = shift;
    c.hodgesLehmannCi95Seconds = ci;
    c.onlyACorrect = onlyA;
    c.onlyBCorrect = onlyB;
    c.bothCorrect = both;
    c.reliabilityPHolm = 0.38;
    c.differencePercent = -0.7;
    c.differenceCi95Percent = {-2.9, 1.4};
    return c;
}

TEST(Verdict, DirectionSizeAndCertaintyOfASignificantDifference) {
    const evidence::Comparison c = times(0.003, 1, 7, {5, 9}, 12, 3);
    EXPECT_EQ(verdictSentence(c, run(c)),
              "RxA gets a correct fix sooner than RxB (p = 0.0030, adjusted for 2 comparisons): "
              "when both fixed correctly RxA was 7 s sooner (95 % interval 5–9 s); only RxB "
              "missed a correct fix in 12 attempts, only RxA in 3. No significant difference in "
              "reliability: RxB −0.7 points against RxA, 95 % interval −2.9 to 1.4 (p = 0.38, "
              "adjusted for 2 comparisons).");
}

// RxB gets a correct fix in far more attempts but is 3 s later when both do: the sentence
// follows the test and gives both parts. The reliability difference is b's minus a's, turned
// round for the more reliable a.
TEST(Verdict, TestAndEffectPointingDifferentWaysAreBothSaid) {
    evidence::Comparison c = times(0.0004, -1, 3, {1, 5}, 0, 30);
    c.reliabilityPHolm = 0.0001;
    c.aGoodBBad = 20;
    c.aBadBGood = 2;
    c.differencePercent = -18;
    c.differenceCi95Percent = {-25.5, -10.25};
    EXPECT_EQ(verdictSentence(c, run(c, 95, 77)),
              "RxB gets a correct fix sooner than RxA (p < 0.001, adjusted for 2 comparisons): "
              "when both fixed correctly RxB was 3 s later (95 % interval 1–5 s); only RxA missed "
              "a correct fix in 30 attempts, only RxB in 0. RxA is more reliable than RxB: +18 "
              "points, 95 % interval 10.2 to 25.5 (95.0 % against 77.0 % good fixes; p < 0.001, "
              "adjusted for 2 comparisons).");
}

// Not significant is never "equal": the interval is given, an undefined effect said in words.
TEST(Verdict, NoSignificantDifferenceGivesTheIntervalAndNoInfOrNaN) {
    evidence::Comparison none = times(1, 0, kNaN, {kNaN, kNaN}, 1, 1, 0);
    none.differencePercent = 0;
    none.differenceCi95Percent = {-25.25, 25.25};
    const std::string s = verdictSentence(none, run(none));
    EXPECT_EQ(s,
              "RxA and RxB: no significant difference in time to a correct fix (p = 1, adjusted "
              "for 2 comparisons): no attempt gave both a correct fix; only RxB missed a correct "
              "fix in 1 attempt, only RxA in 1. No significant difference in reliability: RxB 0 "
              "points against RxA, 95 % interval −25.2 to 25.2 (p = 0.38, adjusted for 2 "
              "comparisons).");
    for (const char* word : {"inf", "nan", "0.0 s"}) {
        EXPECT_EQ(s.find(word), std::string::npos) << word;
    }
    // Said of the one that was sooner; too few rows for an interval.
    const evidence::Comparison few = times(0.2, -1, -0.5, {kNaN, kNaN}, 0, 0, 4);
    EXPECT_NE(verdictSentence(few, run(few))
                  .find("when both fixed correctly RxB was 0.5 s sooner (too few attempts for a "
                        "95 % interval); neither missed a correct fix where the other had one."),
              std::string::npos);
    // No shift at all, the interval on both sides of it.
    const evidence::Comparison zero = times(0.7, 1, 0, {-2, 1.5}, 2, 0);
    EXPECT_NE(verdictSentence(zero, run(zero))
                  .find("when both fixed correctly neither was sooner (estimate 0 s, 95 % "
                        "interval from 2 s later to 1.5 s sooner); only RxB missed a correct fix "
                        "in 2 attempts, only RxA in 0."),
              std::string::npos);
}

// Long runs have narrow intervals: their digits follow the interval's width, and bounds that
// print alike are given once.
TEST(Verdict, NarrowIntervalsKeepTheirDigits) {
    evidence::Comparison c = times(0.001, 1, 16.0000000001, {15.9999999999, 16.0000000001}, 5, 2);
    c.differencePercent = 0.0342;
    c.differenceCi95Percent = {0.00097, 0.1007};
    const std::string s = verdictSentence(c, run(c));
    EXPECT_NE(s.find("RxA was 16 s sooner (95 % interval 16 s)"), std::string::npos) << s;
    EXPECT_NE(s.find("RxB +0.034 points against RxA, 95 % interval 0.001 to 0.101"),
              std::string::npos)
        << s;
}

// The adjusted p decides: 0.04 unadjusted but 0.08 after Holm is not significant.
TEST(Verdict, TheAdjustedPDecides) {
    evidence::Comparison c = times(0.08, 1, 2, {1, 3}, 0, 0);
    c.wilcoxonP = 0.04;
    EXPECT_EQ(verdictSentence(c, run(c)).rfind("RxA and RxB: no significant difference", 0), 0u);
}

}  // namespace
}  // namespace ambiscan::report
