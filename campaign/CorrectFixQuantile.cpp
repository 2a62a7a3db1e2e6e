#include "campaign/CorrectFixQuantile.hpp"

#include <cmath>
#include <limits>

#include "evidence/Intervals.hpp"

namespace ambiscan::campaign {

namespace {

// The r-th smallest (1-based) of the sample; NaN for r = 0.
double orderStatistic(const TimeSample& times, std::size_t r) {
    if (r == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::size_t seen = 0;
    for (const auto& [t, count] : times.finite) {
        seen += count;
        if (seen >= r) {
            return t;
        }
    }
    return std::numeric_limits<double>::infinity();
}

}  // namespace

Quantile correctFixQuantile(const TimeSample& times, double p) {
    const std::size_t n = times.size();
    if (n == 0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, {nan, nan}};
    }
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(n)));
    const evidence::RankBounds bounds = evidence::quantileRanks95(n, p);
    return {orderStatistic(times, rank == 0 ? 1 : rank),
            {orderStatistic(times, bounds.lower), orderStatistic(times, bounds.upper)}};
}

}  // namespace ambiscan::campaign
