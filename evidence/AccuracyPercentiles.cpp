#include "evidence/AccuracyPercentiles.hpp"

#include "evidence/Intervals.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ambiscan::evidence {

double nearestRank(std::vector<double>& values, std::size_t percent) {
    const std::size_t m = values.size();
    if (m == 0 ||
        std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); })) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // The rank in whole numbers: exact for any m.
    const std::size_t rank = std::max<std::size_t>(1, (percent * m + 99) / 100);
    return valuesAtRanks(values, {rank}).front();
}

AccuracyPercentiles accuracyPercentiles(const Matrix& east, const Matrix& north,
                                        const Matrix& height, const std::vector<bool>& good) {
    // The run's own horizontal error, as its good/bad rule computes it.
    std::vector<double> horizontal, vertical;
    horizontal.reserve(good.size());
    vertical.reserve(good.size());
    for (std::size_t r = 0; r < good.size(); ++r) {
        if (good[r]) {
            horizontal.push_back(std::sqrt(east[r] * east[r] + north[r] * north[r]));
            vertical.push_back(std::abs(height[r]));
        }
    }
    AccuracyPercentiles p{};
    p.horizontalP95 = nearestRank(horizontal, 95);
    p.horizontalP50 = nearestRank(horizontal, 50);
    p.verticalAbsP95 = nearestRank(vertical, 95);
    return p;
}

}  // namespace ambiscan::evidence
