#include "campaign/ScoreIntervals.hpp"

#include <boost/math/distributions/normal.hpp>

#include <cmath>
#include <limits>

namespace ambiscan::campaign {

namespace {

double z975() {
    return boost::math::quantile(boost::math::normal(), 0.975);
}

}  // namespace

evidence::Interval wilson95(std::size_t k, std::size_t n) {
    if (n == 0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    const double z = z975(), nn = static_cast<double>(n), p = static_cast<double>(k) / nn;
    const double centre = p + z * z / (2 * nn);
    const double spread = z * std::sqrt(p * (1 - p) / nn + z * z / (4 * nn * nn));
    const double scale = 1 + z * z / nn;
    // At 0 and n the limit is exactly the proportion, not a rounding away from it.
    return {k == 0 ? 0 : (centre - spread) / scale, k == n ? 1 : (centre + spread) / scale};
}

evidence::Interval newcombeDifference95(std::size_t k1, std::size_t n1, std::size_t k2,
                                        std::size_t n2) {
    if (n1 == 0 || n2 == 0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    const double p1 = static_cast<double>(k1) / static_cast<double>(n1);
    const double p2 = static_cast<double>(k2) / static_cast<double>(n2);
    const evidence::Interval w1 = wilson95(k1, n1), w2 = wilson95(k2, n2);
    const double d = p2 - p1;
    return {d - std::hypot(p2 - w2.lower, w1.upper - p1),
            d + std::hypot(w2.upper - p2, p1 - w1.lower)};
}

}  // namespace ambiscan::campaign
