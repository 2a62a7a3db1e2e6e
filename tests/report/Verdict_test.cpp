#include "report/Verdict.hpp"

#include <gtest/gtest.h>

namespace ambiscan::report {
namespace {

std::vector<evidence::DataSetEvidence> receivers() {
    evidence::DataSetEvidence a, b;
    a.name = "V1.00";
    a.reliabilityPercent = 99.0;
    b.name = "V0.64";
    b.reliabilityPercent = 97.333;
    return {a, b};
}

evidence::Comparison pair(double wilcoxonP, double medianDifference, double mcnemarP,
                          std::size_t aGoodBBad, std::size_t aBadBGood) {
    evidence::Comparison c;
    c.a = 0;
    c.b = 1;
    c.wilcoxonP = wilcoxonP;
    c.medianDifferenceSeconds = medianDifference;
    c.mcnemarExactP = mcnemarP;
    c.aGoodBBad = aGoodBBad;
    c.aBadBGood = aBadBGood;
    return c;
}

TEST(Verdict, SignificantDifferencesNameTheBetterReceiverEitherWay) {
    // b slower by a median 9 s: a is faster; a good where b is bad 7 times, the reverse twice.
    EXPECT_EQ(verdictSentence(pair(0.0002, 9, 0.0196, 7, 2), receivers()),
              "V1.00 fixes faster than V0.64 (median 9 s sooner, p < 0.001); V1.00 is more "
              "reliable than V0.64 (99.0 % against 97.3 % good fixes; good with only one of "
              "them: 7 against 2 attempts, p = 0.020).");
    // The reverse: b faster by 2.5 s and more often good.
    EXPECT_EQ(verdictSentence(pair(0.03, -2.5, 0.001, 1, 12), receivers()),
              "V0.64 fixes faster than V1.00 (median 2.5 s sooner, p = 0.030); V0.64 is more "
              "reliable than V1.00 (97.3 % against 99.0 % good fixes; good with only one of "
              "them: 12 against 1 attempts, p = 0.0010).");
}

TEST(Verdict, AtOrAboveTheLevelThereIsNoSignificantDifference) {
    EXPECT_EQ(verdictSentence(pair(0.05, 4, 0.38, 3, 1), receivers()),
              "V1.00 and V0.64: no significant difference in time to fix (p = 0.050); no "
              "significant difference in reliability (p = 0.38).");
    // A significant rank test with a median difference of 0 s names no faster receiver.
    EXPECT_EQ(verdictSentence(pair(0.01, 0, 1, 0, 0), receivers()),
              "V1.00 and V0.64: the times to fix differ significantly, with a median difference "
              "of 0 s (p = 0.010); no significant difference in reliability (p = 1).");
}

}  // namespace
}  // namespace ambiscan::report
