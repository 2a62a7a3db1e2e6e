#include "evidence/PairedComparisons.hpp"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
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
    std::vector<double> d;
    d.reserve(differences.size());
    for (const double v : differences) {
        if (v != 0 && !std::isnan(v)) {
            d.push_back(v);
        }
    }
    SignedRankTest test;
    test.nonzeroPairs = d.size();
    if (d.empty()) {
        return test;
    }
    std::sort(d.begin(), d.end(), [](double a, double b) { return std::abs(a) < std::abs(b); });

    // Average ranks over each group of equal |d|; W+ sums the ranks of the positive ones.
    double positiveRankSum = 0, tieSum = 0;
    for (std::size_t first = 0; first < d.size();) {
        std::size_t last = first;
        while (last + 1 < d.size() && sameSize(std::abs(d[first]), std::abs(d[last + 1]))) {
            ++last;
        }
        const auto t = static_cast<double>(last - first + 1);
        const double rank = (static_cast<double>(first + last) + 2) / 2;  // 1-based average
        for (std::size_t k = first; k <= last; ++k) {
            if (d[k] > 0) {
                positiveRankSum += rank;
            }
        }
        tieSum += t * t * t - t;
        first = last + 1;
    }
    const auto m = static_cast<double>(d.size());
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
