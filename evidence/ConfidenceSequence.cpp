#include "evidence/ConfidenceSequence.hpp"

#include <boost/math/special_functions/beta.hpp>
#include <cmath>

namespace ambiscan::evidence {

namespace {

// 1 / 0.05: the mixture's ratio stays below it for ever with probability 95 % (Ville).
constexpr double kRatioLimit = 20;

}  // namespace

Interval confidenceSequence95(std::size_t good, std::size_t n) {
    if (n == 0) {
        return {0, 1};
    }
    const double s = static_cast<double>(good);
    const double f = static_cast<double>(n - good);
    const double logMixture = std::log(boost::math::beta(s + 1, f + 1));
    const double logLimit = std::log(kRatioLimit);
    // log ratio at p; convex in p with its least value at p = good / n, which lies inside.
    const auto inside = [&](double p) {
        const double logLikelihood =
            (good > 0 ? s * std::log(p) : 0) + (good < n ? f * std::log1p(-p) : 0);
        return logMixture - logLikelihood < logLimit;
    };
    const double centre = s / static_cast<double>(n);
    // Bisection between a point inside and one outside (or the end of [0, 1]).
    const auto edge = [&](double in, double end) {
        if (inside(end)) {
            return end;
        }
        for (int i = 0; i < 200 && in != end; ++i) {
            const double mid = 0.5 * (in + end);
            if (mid == in || mid == end) {
                break;
            }
            (inside(mid) ? in : end) = mid;
        }
        return 0.5 * (in + end);
    };
    return {edge(centre, 0), edge(centre, 1)};
}

}  // namespace ambiscan::evidence
