#pragma once

#include <cstddef>

#include "campaign/TimeSample.hpp"

namespace ambiscan::campaign {

// Exact p-values (over every split of the pooled values, with the observed midranks) while both
// samples hold at most this many attempts; beyond it the normal approximation.
inline constexpr std::size_t kMannWhitneyExactLimit = 50;

// The Mann-Whitney (Wilcoxon rank-sum) test of the times to a correct fix of two independent
// samples, every attempt without a correct fix tied at the top.
struct MannWhitneyResult {
    double u = 0;  // U of b: pairs (a_i, b_j) with b_j > a_i, ties counting one half
    double p = 1;  // two-sided
    bool exact = false;
    int bLater = 0;  // +1 when U of b is above n_a n_b / 2 (b takes longer), -1 below, 0 at it
};
// Exact: p = min(1, 2 min(P(U <= u), P(U >= u))). Normal: z = (|U - n_a n_b / 2| - 1/2) / sigma,
// sigma^2 = n_a n_b / 12 ((N + 1) - sum(t^3 - t) / (N (N - 1))), p = min(1, 2 (1 - Phi(z)));
// 1 when sigma is 0 or a sample is empty.
MannWhitneyResult mannWhitney(const TimeSample& a, const TimeSample& b);

}  // namespace ambiscan::campaign
