#include "campaign/MannWhitney.hpp"

#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>

#include "campaign/RankSumDistribution.hpp"

namespace ambiscan::campaign {

namespace {

// The pooled values' tie groups in ascending order, each with the count of b in it; the
// attempts without a correct fix form the last group.
struct PooledGroup {
    std::size_t size, ofB;
};
std::vector<PooledGroup> pooledGroups(const TimeSample& a, const TimeSample& b) {
    std::vector<PooledGroup> groups;
    std::size_t i = 0, j = 0;
    while (i < a.finite.size() || j < b.finite.size()) {
        const bool takeA =
            j == b.finite.size() || (i < a.finite.size() && a.finite[i].first <= b.finite[j].first);
        const bool takeB =
            i == a.finite.size() || (j < b.finite.size() && b.finite[j].first <= a.finite[i].first);
        PooledGroup g{0, 0};
        if (takeA) {
            g.size += a.finite[i++].second;
        }
        if (takeB) {
            g.size += b.finite[j].second;
            g.ofB += b.finite[j++].second;
        }
        groups.push_back(g);
    }
    if (a.noCorrectFix + b.noCorrectFix > 0) {
        groups.push_back({a.noCorrectFix + b.noCorrectFix, b.noCorrectFix});
    }
    return groups;
}

}  // namespace

MannWhitneyResult mannWhitney(const TimeSample& a, const TimeSample& b) {
    MannWhitneyResult result;
    const std::size_t na = a.size(), nb = b.size();
    if (na == 0 || nb == 0) {
        return result;
    }
    const std::vector<PooledGroup> pooled = pooledGroups(a, b);
    std::vector<std::size_t> sizes;
    for (const PooledGroup& g : pooled) {
        sizes.push_back(g.size);
    }
    const std::vector<TieGroup> groups = tieGroups(sizes);
    std::size_t doubledRankSum = 0;  // of b
    double tieTerm = 0;
    for (std::size_t k = 0; k < groups.size(); ++k) {
        doubledRankSum += pooled[k].ofB * groups[k].doubledRank;
        const auto t = static_cast<double>(groups[k].size);
        tieTerm += t * t * t - t;
    }
    const double fa = static_cast<double>(na), fb = static_cast<double>(nb);
    result.u = static_cast<double>(doubledRankSum) / 2 - fb * (fb + 1) / 2;
    const double mean = fa * fb / 2;
    result.bLater = result.u > mean ? 1 : result.u < mean ? -1 : 0;

    if (na <= kMannWhitneyExactLimit && nb <= kMannWhitneyExactLimit) {
        result.exact = true;
        const std::vector<double> share = rankSumDistribution(groups, nb);
        double below = 0, above = 0;
        for (std::size_t s = 0; s < share.size(); ++s) {
            below += s <= doubledRankSum ? share[s] : 0;
            above += s >= doubledRankSum ? share[s] : 0;
        }
        result.p = std::min(1.0, 2 * std::min(below, above));
        return result;
    }
    const double n = fa + fb;
    const double variance = fa * fb / 12 * ((n + 1) - tieTerm / (n * (n - 1)));
    if (!(variance > 0)) {
        return result;
    }
    const double z = (std::abs(result.u - mean) - 0.5) / std::sqrt(variance);
    result.p =
        std::min(1.0, 2 * boost::math::cdf(boost::math::complement(boost::math::normal(), z)));
    return result;
}

}  // namespace ambiscan::campaign
