#include "campaign/RankSumDistribution.hpp"

#include <algorithm>

namespace ambiscan::campaign {

std::vector<TieGroup> tieGroups(const std::vector<std::size_t>& sizes) {
    std::vector<TieGroup> groups;
    std::size_t below = 0;
    for (const std::size_t size : sizes) {
        // Ranks below+1 .. below+size average (2 below + size + 1) / 2.
        groups.push_back({size, 2 * below + size + 1});
        below += size;
    }
    return groups;
}

std::vector<double> rankSumDistribution(const std::vector<TieGroup>& groups, std::size_t m) {
    std::size_t maxSum = 0;
    for (const TieGroup& g : groups) {
        maxSum += g.size * g.doubledRank;
    }
    // ways[j][s]: ways to take j values so far with doubled rank sum s, scaled by C(n, m)
    // at the end. Kept in doubles: C(100, 50) is about 1e29, far inside their range.
    std::vector<std::vector<double>> ways(m + 1, std::vector<double>(maxSum + 1, 0));
    ways[0][0] = 1;
    std::size_t taken = 0, reach = 0;  // values seen, and the largest sum reached so far
    for (const TieGroup& g : groups) {
        // Taking c of the group's values can be done in C(size, c) ways.
        std::vector<double> choose(g.size + 1, 1);
        for (std::size_t c = 1; c <= g.size; ++c) {
            choose[c] =
                choose[c - 1] * static_cast<double>(g.size - c + 1) / static_cast<double>(c);
        }
        const std::size_t top = std::min(m, taken + g.size);
        for (std::size_t j = top + 1; j-- > 1;) {
            for (std::size_t c = 1; c <= std::min(j, g.size); ++c) {
                const std::size_t add = c * g.doubledRank;
                const std::vector<double>& from = ways[j - c];
                std::vector<double>& to = ways[j];
                for (std::size_t s = 0; s <= reach && s + add <= maxSum; ++s) {
                    if (from[s] != 0) {
                        to[s + add] += choose[c] * from[s];
                    }
                }
            }
        }
        taken += g.size;
        reach = std::min(maxSum, reach + g.size * g.doubledRank);
    }
    double total = 0;
    for (const double w : ways[m]) {
        total += w;
    }
    std::vector<double> share = std::move(ways[m]);
    for (double& w : share) {
        w /= total;
    }
    return share;
}

}  // namespace ambiscan::campaign
