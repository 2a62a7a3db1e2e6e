#pragma once

#include <cstddef>
#include <vector>

#include "evidence/ValueCount.hpp"

namespace ambiscan::evidence {

// Exact two-sided McNemar test of n10 rows where only the first is good against n01 where only
// the second is: min(1, 2 P(X <= min(n10, n01))) with X ~ Binomial(n10 + n01, 1/2); 1 when no
// row differs.
double mcnemarExactP(std::size_t n10, std::size_t n01);

// The nonzero differences of a signed-rank test as groups of tied |d|, smallest first: how many
// there are and how many of them are positive.
struct RankGroup {
    std::size_t count = 0, positives = 0;
};
// Zero and NaN differences are dropped; |d| tie when they agree to 1 part in 10^9 of the
// larger (differences of decimal times), every infinite |d| in one group at the top.
std::vector<RankGroup> rankGroups(const std::vector<double>& differences);
// The same from the finite differences as distinct values (distinctValues) and the counts of
// +Inf and -Inf ones.
std::vector<RankGroup> rankGroups(const std::vector<ValueCount>& finite, std::size_t positiveInf,
                                  std::size_t negativeInf);

// Two-sided Wilcoxon signed-rank test over average ranks: exact up to kExactSignedRankLimit
// nonzero differences (every sign pattern of the observed midranks), else normal with the tie
// correction and a continuity correction of 1/2. `direction` is the sign of W+ - m(m + 1)/4:
// +1 when the positive differences carry more of the rank, 0 when neither side does.
struct SignedRankTest {
    std::size_t nonzeroPairs = 0;
    double p = 1;
    int direction = 0;
};
SignedRankTest signedRankTest(const std::vector<RankGroup>& groups);
inline SignedRankTest wilcoxonSignedRank(const std::vector<double>& differences) {
    return signedRankTest(rankGroups(differences));
}

}  // namespace ambiscan::evidence
