#include "evidence/Independence.hpp"

#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <limits>

namespace ambiscan::evidence {

Independence independence(const std::vector<bool>& good) {
    Independence result;
    const std::size_t n = good.size();
    for (std::size_t r = 0; r < n; ++r) {
        result.good += good[r] ? 1 : 0;
        result.runs += r == 0 || good[r] != good[r - 1] ? 1 : 0;
    }
    result.bad = n - result.good;
    const auto total = static_cast<double>(n);
    const auto n1 = static_cast<double>(result.good);
    const auto n2 = static_cast<double>(result.bad);
    result.expectedRuns = n == 0 ? 0 : 2 * n1 * n2 / total + 1;
    const double variance =
        n < 2 ? 0 : 2 * n1 * n2 * (2 * n1 * n2 - total) / (total * total * (total - 1));
    if (variance > 0) {
        const double z =
            std::abs(static_cast<double>(result.runs) - result.expectedRuns) / std::sqrt(variance);
        result.runsTestP = std::min(1.0, 2 * boost::math::cdf(boost::math::complement(
                                                 boost::math::normal_distribution<double>(), z)));
    }

    // x_r = 1 for a bad fix: sum of (x_r - mean)(x_r+1 - mean) over sum of (x_r - mean)^2.
    if (result.good == 0 || result.bad == 0) {
        result.lag1Autocorrelation = std::numeric_limits<double>::quiet_NaN();
        return result;
    }
    const double mean = n2 / total;
    const auto centred = [&](std::size_t r) { return (good[r] ? 0.0 : 1.0) - mean; };
    double lagged = 0;
    for (std::size_t r = 0; r + 1 < n; ++r) {
        lagged += centred(r) * centred(r + 1);
    }
    result.lag1Autocorrelation = lagged / (n1 * n2 / total);  // sum of squares: n1 n2 / n
    return result;
}

}  // namespace ambiscan::evidence
