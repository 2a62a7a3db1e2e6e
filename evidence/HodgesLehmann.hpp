#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "evidence/Evidence.hpp"
#include "evidence/ValueCount.hpp"

namespace ambiscan::evidence {

// How the selection among Walsh sums goes about it (its answers never depend on these): sums
// drawn per round to place the pivots, and how few candidates are sorted outright.
struct WalshSearch {
    std::size_t samples = 8192;
    std::uint64_t sortBelow = 4096;
};

// The rank-th smallest (1-based) of the m(m + 1) / 2 Walsh sums x_i + x_j, i <= j, of the
// sample for every rank asked, found without listing them. The ranks are sought together: each
// round draws a few thousand of the candidate sums, takes pivots a few standard errors either
// side of every rank (ranks whose brackets overlap share them), counts the sums below all
// pivots in one walk over the rows with a pointer per pivot (O(u) for u distinct values, fewer
// as rows run out of candidates) and keeps the candidates between each rank's pivots. Four or
// five rounds leave few enough to sort. Whole-second data has a few hundred distinct values,
// whatever m is.
std::vector<double> walshSums(const std::vector<ValueCount>& sample,
                              const std::vector<std::uint64_t>& ranks, WalshSearch search = {});
inline double walshSum(const std::vector<ValueCount>& sample, std::uint64_t rank) {
    return walshSums(sample, {rank}).front();
}

// The same by listing every distinct Walsh sum with its weight and sorting them: the plain way,
// for few distinct values (and for the tests to compare with).
std::vector<double> walshSumsBySorting(const std::vector<ValueCount>& sample,
                                       const std::vector<std::uint64_t>& ranks);

// The Hodges-Lehmann estimate of the centre of the sample (the median of its Walsh averages
// (x_i + x_j) / 2, i <= j) with its distribution-free 95 % interval [w(k), w(M + 1 - k)] from
// walshBoundRank. The estimate is NaN without values; the bounds when k = 0 (too few values).
struct CentreEstimate {
    std::size_t size = 0;
    double estimate;
    Interval ci95;
};
CentreEstimate hodgesLehmann(const std::vector<ValueCount>& sample);

}  // namespace ambiscan::evidence
