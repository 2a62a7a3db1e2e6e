#pragma once

#include <cstddef>
#include <vector>

#include "evidence/Evidence.hpp"

namespace ambiscan::evidence {

// Clopper-Pearson two-sided 95 % interval for the share good / n, as fractions: the lower bound
// is 0 when good = 0 and the upper 1 when good = n. Both NaN without attempts.
Interval clopperPearson95(std::size_t good, std::size_t n);

// 1-based ranks of the order statistics that bound the p-quantile of n values with 95 %
// confidence, from B ~ Binomial(n, p): lower the largest r with P(B <= r - 1) <= 0.025, upper
// the smallest r with P(B <= r - 1) >= 0.975. A side without such an r in 1..n is 0.
struct RankBounds {
    std::size_t lower = 0, upper = 0;
};
RankBounds quantileRanks95(std::size_t n, double p);

// The 95 % interval of the p-quantile of the values: their order statistics of quantileRanks95,
// found as valuesAtRanks finds them. A side without a rank is NaN, and both are NaN when any
// value is NaN.
Interval quantileInterval95(std::vector<double>& values, double p);

// The values at the given 1-based ranks (a rank of 0 gives NaN). Many values: from a histogram
// (valuesAtRanksByHistogram). Few: by one selection that splits the values at the middle rank
// asked for and goes on in each part with the ranks it holds. The values may be reordered; none
// may be NaN.
std::vector<double> valuesAtRanks(std::vector<double>& values,
                                  const std::vector<std::size_t>& ranks);

// The nearest-rank p-quantile (the ceil(p n)-th smallest of n, p = percent / 100) with the
// 95 % interval of quantileRanks95: a side without a rank is NaN, everything NaN without values.
struct QuantileEstimate {
    double estimate;
    Interval ci95;
};
QuantileEstimate quantileWithInterval95(std::vector<double>& values, std::size_t percent);

}  // namespace ambiscan::evidence
