#include "evidence/SignedRankDistribution.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ambiscan::evidence {

std::vector<double> signedRankSumProbabilities(const std::vector<std::size_t>& weights) {
    const std::size_t total = std::accumulate(weights.begin(), weights.end(), std::size_t{0});
    std::vector<double> p(total + 1, 0.0);
    p[0] = 1;
    std::size_t reach = 0;  // the largest sum so far
    for (const std::size_t w : weights) {
        reach += w;
        // Downwards, so that each weight is taken at most once.
        for (std::size_t s = reach; s >= w && s > 0; --s) {
            p[s] = 0.5 * (p[s] + p[s - w]);
        }
        for (std::size_t s = std::min(w, reach + 1); s-- > 0;) {
            p[s] *= 0.5;
        }
    }
    return p;
}

double exactSignedRankP(const std::vector<std::size_t>& weights, std::size_t w) {
    const std::vector<double> p = signedRankSumProbabilities(weights);
    if (w >= p.size()) {
        return 0;
    }
    // Each tail summed from its far end, where the probabilities are smallest.
    double below = 0, above = 0;
    for (std::size_t s = 0; s <= w; ++s) {
        below += p[s];
    }
    for (std::size_t s = p.size(); s-- > w;) {
        above += p[s];
    }
    return std::min(1.0, 2 * std::min(below, above));
}

std::size_t walshBoundRank(std::size_t m) {
    if (m == 0) {
        return 0;
    }
    if (m > kExactSignedRankLimit) {
        const auto n = static_cast<double>(m);
        const double k =
            std::round(n * (n + 1) / 4 - 1.959964 * std::sqrt(n * (n + 1) * (2 * n + 1) / 24));
        return k < 1 ? 0 : static_cast<std::size_t>(k);
    }
    std::vector<std::size_t> ranks(m);
    std::iota(ranks.begin(), ranks.end(), std::size_t{1});
    const std::vector<double> p = signedRankSumProbabilities(ranks);
    std::size_t k = 0;
    double cumulative = 0;  // P(W <= k - 1) for the next k
    for (std::size_t s = 0; s < p.size(); ++s) {
        cumulative += p[s];
        if (cumulative > 0.025) {
            break;
        }
        k = s + 1;
    }
    return k;
}

}  // namespace ambiscan::evidence
