#include "evidence/AccuracyPercentiles.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ambiscan::evidence {

double nearestRank(std::vector<double>& values, double q) {
    const std::size_t m = values.size();
    if (m == 0 ||
        std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); })) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // ceil(q * m) in whole numbers where q * m is meant to be whole (0.95 * 20 is 19,
    // not 19.000…04).
    const double exact = q * static_cast<double>(m);
    const double nearest = std::round(exact);
    const double rank = std::abs(exact - nearest) < 1e-9 * exact ? nearest : std::ceil(exact);
    const auto k = static_cast<std::size_t>(std::clamp(rank, 1.0, static_cast<double>(m))) - 1;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
    return values[k];
}

AccuracyPercentiles accuracyPercentiles(const Matrix& east, const Matrix& north,
                                        const Matrix& height, const std::vector<bool>& good) {
    // The run's own horizontal error, as its good/bad rule computes it.
    std::vector<double> horizontal, vertical;
    for (std::size_t r = 0; r < good.size(); ++r) {
        if (good[r]) {
            horizontal.push_back(std::sqrt(east[r] * east[r] + north[r] * north[r]));
            vertical.push_back(std::abs(height[r]));
        }
    }
    AccuracyPercentiles p{};
    p.horizontalP95 = nearestRank(horizontal, 0.95);
    p.horizontalP50 = nearestRank(horizontal, 0.50);
    p.verticalAbsP95 = nearestRank(vertical, 0.95);
    return p;
}

}  // namespace ambiscan::evidence
