#include "campaign/Holm.hpp"

#include <algorithm>
#include <numeric>

namespace ambiscan::campaign {

std::vector<double> holmAdjusted(const std::vector<double>& p) {
    std::vector<std::size_t> order(p.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&p](std::size_t x, std::size_t y) { return p[x] < p[y]; });
    std::vector<double> adjusted(p.size());
    double running = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double scaled = static_cast<double>(p.size() - i) * p[order[i]];
        running = std::max(running, std::min(1.0, scaled));
        adjusted[order[i]] = running;
    }
    return adjusted;
}

}  // namespace ambiscan::campaign
