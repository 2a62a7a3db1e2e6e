#pragma once

#include "campaign/TimeSample.hpp"
#include "evidence/Evidence.hpp"

namespace ambiscan::campaign {

// The Hodges-Lehmann shift of b against a over their correct fixes only: the median of the
// m n differences b_j - a_i, with its distribution-free 95 % interval [D(k), D(mn + 1 - k)], k
// the largest integer with P(U <= k - 1) <= 0.025 under the untied null distribution of the
// Mann-Whitney U for sizes m and n (exact while both are at most kMannWhitneyExactLimit, else
// k = round(mn/2 - 1.959964 sqrt(mn(m + n + 1)/12))). Positive: b takes longer. NaN without
// differences; a bound is NaN when k < 1.
struct Shift {
    double estimate;
    evidence::Interval ci95;
};
Shift hodgesLehmannShift(const TimeSample& a, const TimeSample& b);

}  // namespace ambiscan::campaign
