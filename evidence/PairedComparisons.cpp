#include "evidence/PairedComparisons.hpp"

#include <algorithm>
#include <bit>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <cstdint>

#include "evidence/SignedRankDistribution.hpp"

namespace ambiscan::evidence {

namespace {

// Differences of decimal times are ties when they agree but for the rounding of the
// subtraction (12.3 - 10.1 against 5.2 - 3.0); `smaller` <= `larger`, both at least 0.
bool sameSize(double smaller, double larger) {
    return smaller == larger || (std::isfinite(larger) && larger - smaller <= 1e-9 * larger);
}

}  // namespace

double mcnemarExactP(std::size_t n10, std::size_t n01) {
    const std::size_t m = n10 + n01;
    if (m == 0) {
        return 1;
    }
    const boost::math::binomial_distribution<double> x(static_cast<double>(m), 0.5);
    return std::min(1.0, 2 * boost::math::cdf(x, static_cast<double>(std::min(n10, n01))));
}

std::vector<RankGroup> rankGroups(const std::vector<double>& differences) {
    // Each nonzero difference as one key: the bits of |d| (which order non-negative doubles as
    // their values do, +Inf last) shifted up, with d > 0 in the lowest bit. Sorting whole
    // numbers is about twice as fast as sorting doubles by their size.
    std::vector<std::uint64_t> keys;
    keys.reserve(differences.size());
    for (const double v : differences) {
        if (v != 0 && !std::isnan(v)) {
            keys.push_back(std::bit_cast<std::uint64_t>(std::abs(v)) << 1 | (v > 0 ? 1 : 0));
        }
    }
    std::sort(keys.begin(), keys.end());
    const auto size = [&](std::size_t k) { return std::bit_cast<double>(keys[k] >> 1); };
    std::vector<RankGroup> groups;
    for (std::size_t first = 0; first < keys.size();) {
        RankGroup group{1, keys[first] & 1};
        std::size_t last = first;
        while (last + 1 < keys.size() && sameSize(size(first), size(last + 1))) {
            ++last;
            ++group.count;
            group.positives += keys[last] & 1;
        }
        groups.push_back(group);
        first = last + 1;
    }
    return groups;
}

SignedRankTest signedRankTest(const std::vector<RankGroup>& groups) {
    // On doubled ranks every midrank is a whole number: a group of t from the (f + 1)-th
    // smallest has the midrank f + (t + 1) / 2, doubled 2f + t + 1.
    SignedRankTest test;
    std::uint64_t w2 = 0;  // 2 W+
    double tieSum = 0;
    for (const RankGroup& g : groups) {
        const std::uint64_t doubledRank = 2 * test.nonzeroPairs + g.count + 1;
        w2 += doubledRank * g.positives;
        const auto t = static_cast<double>(g.count);
        tieSum += t * t * t - t;
        test.nonzeroPairs += g.count;
    }
    const std::size_t m = test.nonzeroPairs;
    const std::uint64_t mean2 = static_cast<std::uint64_t>(m) * (m + 1) / 2;  // 2 m(m+1)/4
    test.direction = w2 > mean2 ? 1 : w2 < mean2 ? -1 : 0;
    if (m == 0) {
        return test;
    }
    if (m <= kExactSignedRankLimit) {
        std::vector<std::size_t> weights;
        std::size_t first = 0;
        for (const RankGroup& g : groups) {
            weights.insert(weights.end(), g.count, 2 * first + g.count + 1);
            first += g.count;
        }
        test.p = exactSignedRankP(weights, w2);
        return test;
    }
    const auto n = static_cast<double>(m);
    const double variance = n * (n + 1) * (2 * n + 1) / 24 - tieSum / 48;
    if (!(variance > 0)) {
        return test;
    }
    const double distance = std::abs(static_cast<double>(w2) - static_cast<double>(mean2)) / 2;
    const double z = std::max(0.0, distance - 0.5) / std::sqrt(variance);
    // 2 (1 - Phi(z)), read from the upper tail so that small p keep their digits.
    test.p = std::min(1.0, 2 * boost::math::cdf(boost::math::complement(
                                   boost::math::normal_distribution<double>(), z)));
    return test;
}

}  // namespace ambiscan::evidence
