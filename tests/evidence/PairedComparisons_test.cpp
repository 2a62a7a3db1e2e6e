#include "evidence/PairedComparisons.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ambiscan::evidence {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// By hand: with m = 11 differing rows, P(X <= 3) = (1 + 11 + 55 + 165) / 2048, doubled 0.2265625;
// six rows all one way: 2 / 64; five against five: 2 P(X <= 5) > 1, so 1.
TEST(McNemar, ExactBinomialTailsWorkedByHand) {
    EXPECT_DOUBLE_EQ(mcnemarExactP(8, 3), 464.0 / 2048);
    EXPECT_DOUBLE_EQ(mcnemarExactP(3, 8), 464.0 / 2048);
    EXPECT_DOUBLE_EQ(mcnemarExactP(0, 6), 2.0 / 64);
    EXPECT_EQ(mcnemarExactP(5, 5), 1);
    EXPECT_EQ(mcnemarExactP(0, 0), 1);
}

// Small samples are counted exactly. Values from scipy 1.10 and by enumerating every sign
// pattern in Python:
//   stats.wilcoxon([1, 2, -3, 4, 5], method='exact').pvalue       # 0.3125
//   stats.wilcoxon([1, 1, 1, 1, 1], method='exact').pvalue        # 0.0625
//   def brute(d):
//       d = [x for x in d if x != 0]; r = stats.rankdata(np.abs(d))
//       w = sum(ri for ri, x in zip(r, d) if x > 0); le = ge = 0
//       for signs in itertools.product([0, 1], repeat=len(d)):
//           s = sum(ri for ri, b in zip(r, signs) if b); le += s <= w; ge += s >= w
//       return min(1, 2 * min(le, ge) / 2 ** len(d))
//   brute([0, 1, -1, 2, 2, 2, -3])                               # 0.59375
//   brute([1, 1, 1, 2, -2, 5, 5, -7, 8, 8, 8, 8])                # 0.03564453125
TEST(SignedRank, ExactUpToTwoHundredDifferences) {
    // Five attempts of "1 s slower every time": not significant (the normal value was 0.025).
    const SignedRankTest five = wilcoxonSignedRank({1, 1, 1, 1, 1});
    EXPECT_EQ(five.nonzeroPairs, 5u);
    EXPECT_DOUBLE_EQ(five.p, 0.0625);
    EXPECT_EQ(five.direction, 1);
    EXPECT_DOUBLE_EQ(wilcoxonSignedRank({1, 2, -3, 4, 5}).p, 0.3125);
    const SignedRankTest tied = wilcoxonSignedRank({0, 1, -1, 2, 2, 2, -3});
    EXPECT_EQ(tied.nonzeroPairs, 6u);
    EXPECT_DOUBLE_EQ(tied.p, 0.59375);
    EXPECT_DOUBLE_EQ(wilcoxonSignedRank({1, 1, 1, 2, -2, 5, 5, -7, 8, 8, 8, 8}).p, 0.03564453125);
    // 12.3 - 10.1 and 5.2 - 3.0 differ in the last bit; they still tie.
    EXPECT_DOUBLE_EQ(wilcoxonSignedRank({0, 1, -1, 12.3 - 10.1, 2.2, 5.2 - 3.0, -3.3}).p, 0.59375);
}

// Above 200 the normal approximation with tie and continuity corrections, as scipy 1.10 has it:
//   d = [((i * 5) % 19) - 8 for i in range(250)]
//   stats.wilcoxon(d, zero_method='wilcox', correction=True, method='approx').pvalue
TEST(SignedRank, NormalAboveTwoHundredWithTieAndContinuityCorrections) {
    std::vector<double> d;
    for (int i = 0; i < 250; ++i) {
        d.push_back((i * 5) % 19 - 8);
    }
    const SignedRankTest test = wilcoxonSignedRank(d);
    EXPECT_NEAR(test.p, 0.007837123092599792, 1e-12);
    EXPECT_EQ(test.direction, 1);
}

// A receiver without a correct fix ranks above every time: Inf differences tie at the top.
// Four attempts where b never fixes and one where a is 1 s slower: ranks 1 and 3.5 x 4,
// W+ = 14 of 15: the patterns at 14 or more are {14, 15} of 32, p = 2 * 2/32.
TEST(SignedRank, InfiniteDifferencesTieAboveEveryTime) {
    const SignedRankTest test = wilcoxonSignedRank({kInf, kInf, kInf, kInf, -1});
    EXPECT_EQ(test.nonzeroPairs, 5u);
    EXPECT_DOUBLE_EQ(test.p, 0.125);
    EXPECT_EQ(test.direction, 1);
    const std::vector<RankGroup> groups = rankGroups({kInf, -kInf, 3, 0});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].count, 2u);
    EXPECT_EQ(groups[1].positives, 1u);
}

TEST(SignedRank, NothingToRankOrAllTiedGivesOneAndNoDirection) {
    EXPECT_EQ(wilcoxonSignedRank({}).p, 1);
    const SignedRankTest zeros = wilcoxonSignedRank({0, 0, std::nan("")});
    EXPECT_EQ(zeros.nonzeroPairs, 0u);
    EXPECT_EQ(zeros.p, 1);
    EXPECT_EQ(zeros.direction, 0);
    // One attempt: half the patterns each way.
    EXPECT_EQ(wilcoxonSignedRank({-4}).p, 1);
    EXPECT_EQ(wilcoxonSignedRank({-4}).direction, -1);
    // All tied in size, two each way: W+ is its mean.
    const SignedRankTest balanced = wilcoxonSignedRank({2, -2, 2, -2});
    EXPECT_EQ(balanced.p, 1);
    EXPECT_EQ(balanced.direction, 0);
}

}  // namespace
}  // namespace ambiscan::evidence
