#include "evidence/PairedComparisons.hpp"

#include <algorithm>
#include <bit>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <cstdint>
#include <limits>

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

SignedRankTest wilcoxonSignedRank(const std::vector<double>& differences) {
    // Each nonzero difference as one key: the bits of |d| (which order non-negative doubles as
    // their values do) shifted up, with d > 0 in the lowest bit. Sorting whole numbers is
    // about twice as fast as sorting doubles by their size, on a million pairs per comparison.
    std::vector<std::uint64_t> keys;
    keys.reserve(differences.size());
    for (const double v : differences) {
        if (v != 0 && !std::isnan(v)) {
            keys.push_back(std::bit_cast<std::uint64_t>(std::abs(v)) << 1 | (v > 0 ? 1 : 0));
        }
    }
    SignedRankTest test;
    test.nonzeroPairs = keys.size();
    if (keys.empty()) {
        return test;
    }
    std::sort(keys.begin(), keys.end());
    const auto size = [&](std::size_t k) { return std::bit_cast<double>(keys[k] >> 1); };

    // Average ranks over each group of equal |d|; W+ sums the ranks of the positive ones.
    double positiveRankSum = 0, tieSum = 0;
    for (std::size_t first = 0; first < keys.size();) {
        std::size_t last = first;
        std::size_t positives = keys[first] & 1;
        while (last + 1 < keys.size() && sameSize(size(first), size(last + 1))) {
            ++last;
            positives += keys[last] & 1;
        }
        const auto t = static_cast<double>(last - first + 1);
        const double rank = (static_cast<double>(first + last) + 2) / 2;  // 1-based average
        positiveRankSum += rank * static_cast<double>(positives);
        tieSum += t * t * t - t;
        first = last + 1;
    }
    const auto m = static_cast<double>(keys.size());
    const double variance = m * (m + 1) * (2 * m + 1) / 24 - tieSum / 48;
    if (!(variance > 0)) {
        return test;
    }
    const double z = (positiveRankSum - m * (m + 1) / 4) / std::sqrt(variance);
    // 2 (1 - Phi(|z|)), read from the upper tail so that small p keep their digits.
    test.p = 2 * boost::math::cdf(boost::math::complement(
                     boost::math::normal_distribution<double>(), std::abs(z)));
    return test;
}

double medianOf(std::vector<double> differences) {
    std::erase_if(differences, [](double v) { return std::isnan(v); });
    const std::size_t n = differences.size();
    if (n == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const auto mid = differences.begin() + static_cast<std::ptrdiff_t>(n / 2);
    std::nth_element(differences.begin(), mid, differences.end());
    if (n % 2 == 1) {
        return *mid;
    }
    const double below = *std::max_element(differences.begin(), mid);
    return below + (*mid - below) / 2;
}

}  // namespace ambiscan::evidence
