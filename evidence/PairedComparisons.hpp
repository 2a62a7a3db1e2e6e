#pragma once

#include <cstddef>
#include <vector>

namespace ambiscan::evidence {

// Exact two-sided McNemar test of n10 rows where only the first is good against n01 where only
// the second is: min(1, 2 P(X <= min(n10, n01))) with X ~ Binomial(n10 + n01, 1/2); 1 when no
// row differs.
double mcnemarExactP(std::size_t n10, std::size_t n01);

// Two-sided Wilcoxon signed-rank test by the normal approximation with the tie correction and
// no continuity correction. Zero and NaN differences are dropped; p is 1 when nothing is left
// or the variance is 0.
struct SignedRankTest {
    std::size_t nonzeroPairs = 0;
    double p = 1;
};
SignedRankTest wilcoxonSignedRank(const std::vector<double>& differences);

// The median of the differences, NaN ones left out; NaN when none is left.
double medianOf(std::vector<double> differences);

}  // namespace ambiscan::evidence
