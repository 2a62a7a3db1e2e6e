#include "campaign/HodgesLehmannShift.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "campaign/MannWhitney.hpp"
#include "campaign/RankSumDistribution.hpp"

namespace ambiscan::campaign {

namespace {

using Values = std::vector<std::pair<double, std::size_t>>;

// Doubles mapped to unsigned integers in the same order, so that a bisection over the integers
// visits every double between two bounds.
std::uint64_t orderKey(double d) {
    const auto bits = std::bit_cast<std::uint64_t>(d);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}
double fromOrderKey(std::uint64_t key) {
    return std::bit_cast<double>((key >> 63) != 0 ? key & ~(std::uint64_t{1} << 63) : ~key);
}

// Weighted differences b - a (as computed in doubles) that are at most d. For a fixed a the
// qualifying b form a prefix, which only grows as a grows (b - a is monotone in both, rounding
// included): one pass over each.
double countAtMost(const Values& a, const Values& b, double d) {
    double count = 0, prefix = 0;
    std::size_t j = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        while (j < b.size() && b[j].first - a[i].first <= d) {
            prefix += static_cast<double>(b[j].second);
            ++j;
        }
        count += static_cast<double>(a[i].second) * prefix;
    }
    return count;
}

// The k-th smallest (1-based) of the weighted differences: the smallest double d with at least
// k differences at most d, which is one of the differences.
double kthDifference(const Values& a, const Values& b, double k) {
    std::uint64_t lo = orderKey(b.front().first - a.back().first);
    std::uint64_t hi = orderKey(b.back().first - a.front().first);
    while (lo < hi) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        if (countAtMost(a, b, fromOrderKey(mid)) >= k) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return fromOrderKey(lo) + 0.0;  // -0 counts as 0 and comes first; written as 0
}

// k of the interval: exact from the untied rank-sum distribution, or its normal approximation.
double intervalRank(std::size_t m, std::size_t n) {
    const double fm = static_cast<double>(m), fn = static_cast<double>(n);
    if (m > kMannWhitneyExactLimit || n > kMannWhitneyExactLimit) {
        return std::round(fm * fn / 2 - 1.959964 * std::sqrt(fm * fn * (fm + fn + 1) / 12));
    }
    // U = (doubled rank sum of the n) / 2 - n(n + 1)/2; untied ranks are whole, so is U.
    const std::vector<double> share =
        rankSumDistribution(tieGroups(std::vector<std::size_t>(m + n, 1)), n);
    const std::size_t offset = n * (n + 1);  // doubled
    double below = 0;
    double k = 0;
    for (std::size_t u = 0;; ++u) {
        // P(U <= k - 1) <= 0.025 holds for k = u + 1 while the running share stays within it.
        below += share[2 * u + offset];
        if (below > 0.025) {
            return static_cast<double>(u);
        }
        k = static_cast<double>(u + 1);
        if (2 * u + offset + 2 >= share.size()) {
            return k;
        }
    }
}

}  // namespace

Shift hodgesLehmannShift(const TimeSample& a, const TimeSample& b) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Shift shift{nan, {nan, nan}};
    const std::size_t m = a.correct(), n = b.correct();
    if (m == 0 || n == 0) {
        return shift;
    }
    const double total = static_cast<double>(m) * static_cast<double>(n);
    const double lowerMiddle = std::floor((total + 1) / 2),
                 upperMiddle = std::ceil((total + 1) / 2);
    const double low = kthDifference(a.finite, b.finite, lowerMiddle);
    shift.estimate = lowerMiddle == upperMiddle
                         ? low
                         : (low + kthDifference(a.finite, b.finite, upperMiddle)) / 2;
    const double k = intervalRank(m, n);
    if (k >= 1) {
        shift.ci95 = {kthDifference(a.finite, b.finite, k),
                      kthDifference(a.finite, b.finite, total + 1 - k)};
    }
    return shift;
}

}  // namespace ambiscan::campaign
