#include "evidence/HolmAdjustment.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ambiscan::evidence {

std::vector<double> holmAdjusted(const std::vector<double>& p) {
    std::vector<std::size_t> order(p.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Smallest first; equal p in their given order, so that the result does not depend on the sort.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return p[x] < p[y] || (!std::isnan(p[x]) && std::isnan(p[y]));
    });
    std::vector<double> adjusted(p.size());
    double running = 0;
    const auto k = static_cast<double>(p.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double v = p[order[i]];
        if (std::isnan(v)) {
            adjusted[order[i]] = v;
            continue;
        }
        running = std::max(running, std::min(1.0, (k - static_cast<double>(i)) * v));
        adjusted[order[i]] = running;
    }
    return adjusted;
}

}  // namespace ambiscan::evidence
