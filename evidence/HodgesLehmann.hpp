#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "evidence/Evidence.hpp"
#include "evidence/ValueCount.hpp"

namespace ambiscan::evidence {

// The rank-th smallest (1-based) of the m(m + 1) / 2 Walsh sums x_i + x_j, i <= j, of the
// sample, found without listing them: each round takes a random remaining sum as the pivot,
// counts the sums below it row by row with two pointers over the distinct values (O(u)), and
// keeps the side holding the rank, so a sample of u distinct values costs O(u log u) rounds
// work on average. Whole-second data has a few hundred distinct values, whatever m is.
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
