#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "evidence/Evidence.hpp"
#include "evidence/ValueCount.hpp"

namespace ambiscan::evidence {

// The rank-th smallest (1-based) of the m(m + 1) / 2 Walsh sums x_i + x_j, i <= j, of the
// sample, found without listing them. Each round draws a few thousand of the remaining sums at
// random, takes two of them as pivots a few standard errors either side of the rank, counts the
// sums below each row by row with two pointers over the u distinct values (O(u)) and keeps
// only the sums between them, about a fiftieth; four or five rounds leave few enough to sort.
// Whole-second data has a few hundred distinct values, whatever m is.
double walshSum(const std::vector<ValueCount>& sample, std::uint64_t rank);

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
