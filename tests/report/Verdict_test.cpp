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
    EXPECT_EQ(verdictSentences(pair(0.0002, 9, 0.0196, 7, 2), receivers()),
              (std::vector<std::string>{
                  "V1.00 fixes faster than V0.64 (median 9 s sooner, p < 0.001).",
                  "V1.00 is more reliable than V0.64 (99.0 % against 97.3 % good fixes; 7 "
                  "attempts good only with V1.00, 2 only with V0.64, p = 0.020)."}));
    // The reverse: b faster by 2.5 s and more often good.
    EXPECT_EQ(verdictSentences(pair(0.03, -2.5, 0.001, 1, 12), receivers()),
              (std::vector<std::string>{
                  "V0.64 fixes faster than V1.00 (median 2.5 s sooner, p = 0.030).",
                  "V0.64 is more reliable than V1.00 (97.3 % against 99.0 % good fixes; 12 "
                  "attempts good only with V0.64, 1 only with V1.00, p = 0.0010)."}));
}

TEST(Verdict, AtOrAboveTheLevelThereIsNoSignificantDifference) {
    EXPECT_EQ(verdictSentences(pair(0.05, 4, 0.38, 3, 1), receivers()),
              (std::vector<std::string>{
                  "No significant difference in time to fix between V1.00 and V0.64 (p = 0.050).",
                  "No significant difference in reliability between V1.00 and V0.64 (p = 0.38)."}));
    // A significant rank test with a median difference of 0 s names no faster receiver.
    EXPECT_EQ(verdictSentences(pair(0.01, 0, 1, 0, 0), receivers()).front(),
              "The times to fix of V1.00 and V0.64 differ significantly, with a median "
              "difference of 0 s (p = 0.010).");
}

}  // namespace
}  // namespace ambiscan::report
