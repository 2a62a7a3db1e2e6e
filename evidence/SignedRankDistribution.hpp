#pragma once

#include <cstddef>
#include <vector>

namespace ambiscan::evidence {

// Up to this many nonzero differences the signed-rank tests count their null distribution
// exactly; above it the normal approximation is close enough.
inline constexpr std::size_t kExactSignedRankLimit = 200;

// P(S = s) for s = 0 .. the sum of the weights, where S adds each weight with probability 1/2
// on its own: the distribution of W+ over the 2^m equally likely sign patterns, on whole-number
// ranks (midranks doubled). Counted by dynamic programming over the sums, O(m * sum).
std::vector<double> signedRankSumProbabilities(const std::vector<std::size_t>& weights);

// Two-sided exact p of an observed sum w: min(1, 2 min(P(S <= w), P(S >= w))).
double exactSignedRankP(const std::vector<std::size_t>& weights, std::size_t w);

// The order of the Walsh average that bounds the Hodges-Lehmann estimate of m differences from
// below with 95 % confidence: the largest k with P(W <= k - 1) <= 0.025 under the untied
// signed-rank distribution of m (exact up to kExactSignedRankLimit, else the rounded normal
// value); the upper bound is the (M + 1 - k)-th of M = m(m + 1) / 2. 0 when none exists.
std::size_t walshBoundRank(std::size_t m);

}  // namespace ambiscan::evidence
