#include "evidence/PairedComparisons.hpp"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <cstdint>
#include <iterator>

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
    std::vector<double> finite;
    finite.reserve(differences.size());
    std::size_t positiveInf = 0, negativeInf = 0;
    for (const double v : differences) {
        if (std::isfinite(v)) {
            finite.push_back(v);
        } else if (!std::isnan(v)) {
            ++(v > 0 ? positiveInf : negativeInf);
        }
    }
    return rankGroups(distinctValues(finite), positiveInf, negativeInf);
}

std::vector<RankGroup> rankGroups(const std::vector<ValueCount>& finite, std::size_t positiveInf,
                                  std::size_t negativeInf) {
    // Both sides of zero in order of size: the positive values upwards from zero, the negative
    // ones downwards, merged; a group takes every size that ties with its first.
    const auto zero = std::partition_point(finite.begin(), finite.end(),
                                           [](const ValueCount& v) { return v.value < 0; });
    auto positive = zero;
    while (positive != finite.end() && positive->value == 0) {
        ++positive;
    }
    auto negative = std::make_reverse_iterator(zero);  // the negative value nearest zero
    const auto negativeEnd = finite.rend();
    std::vector<RankGroup> groups;
    double first = 0;
    while (positive != finite.end() || negative != negativeEnd) {
        const bool takePositive = negative == negativeEnd ||
                                  (positive != finite.end() && positive->value <= -negative->value);
        const ValueCount& v = takePositive ? *positive : *negative;
        const double size = std::abs(v.value);
        if (groups.empty() || !sameSize(first, size)) {
            groups.push_back({});
            first = size;
        }
        groups.back().count += v.count;
        groups.back().positives += takePositive ? v.count : 0;
        if (takePositive) {
            ++positive;
        } else {
            ++negative;
        }
    }
    if (positiveInf + negativeInf > 0) {
        groups.push_back({positiveInf + negativeInf, positiveInf});
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
