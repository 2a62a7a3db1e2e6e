#include "evidence/Intervals.hpp"

#include "evidence/RankSelection.hpp"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <limits>

namespace ambiscan::evidence {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The smallest r in 1..n + 1 for which P(B <= r - 1) passes `reached`, by bisection: the
// cumulative probability rises with r, and a million attempts must not cost a million
// evaluations of it.
template <typename Reached>
std::size_t firstRank(std::size_t n, double p, Reached reached) {
    const boost::math::binomial_distribution<double> b(static_cast<double>(n), p);
    std::size_t lo = 1, hi = n + 1;  // hi stands for "no such rank"
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (reached(boost::math::cdf(b, static_cast<double>(mid - 1)))) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

}  // namespace

Interval clopperPearson95(std::size_t good, std::size_t n) {
    if (n == 0 || good > n) {
        return {kNaN, kNaN};
    }
    const auto x = static_cast<double>(good);
    const auto failures = static_cast<double>(n - good);
    const double lower = good == 0 ? 0.0 : boost::math::ibeta_inv(x, failures + 1, 0.025);
    const double upper = good == n ? 1.0 : boost::math::ibeta_inv(x + 1, failures, 0.975);
    return {lower, upper};
}

RankBounds quantileRanks95(std::size_t n, double p) {
    if (n == 0) {
        return {};
    }
    RankBounds ranks;
    // The largest r with P(B <= r - 1) <= 0.025 is one below the first r above it.
    const std::size_t above = firstRank(n, p, [](double c) { return c > 0.025; });
    ranks.lower = above - 1;  // 0 when even r = 1 is above
    const std::size_t upper = firstRank(n, p, [](double c) { return c >= 0.975; });
    ranks.upper = upper <= n ? upper : 0;
    return ranks;
}

Interval quantileInterval95(std::vector<double>& values, double p) {
    if (values.empty() ||
        std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); })) {
        return {kNaN, kNaN};
    }
    const RankBounds ranks = quantileRanks95(values.size(), p);
    const std::vector<double> v = valuesAtRanks(values, {ranks.lower, ranks.upper});
    return {v[0], v[1]};
}

namespace {

void selectRanks(std::vector<double>::iterator first, std::vector<double>::iterator last,
                 std::size_t offset, const std::size_t* ranks, std::size_t count) {
    if (count == 0) {
        return;
    }
    const std::size_t middle = count / 2;
    const auto at = first + static_cast<std::ptrdiff_t>(ranks[middle] - 1 - offset);
    std::nth_element(first, at, last);
    selectRanks(first, at, offset, ranks, middle);
    selectRanks(at + 1, last, ranks[middle], ranks + middle + 1, count - middle - 1);
}

}  // namespace

std::vector<double> valuesAtRanks(std::vector<double>& values,
                                  const std::vector<std::size_t>& ranks) {
    std::vector<std::size_t> sorted;
    for (const std::size_t r : ranks) {
        if (r >= 1 && r <= values.size()) {
            sorted.push_back(r);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<double> atSorted(sorted.size());
    if (values.size() >= kHistogramSelectionFrom && sorted.size() < 256) {
        valuesAtRanksByHistogram(values, sorted.data(), sorted.size(), atSorted.data());
    } else {
        selectRanks(values.begin(), values.end(), 0, sorted.data(), sorted.size());
        for (std::size_t k = 0; k < sorted.size(); ++k) {
            atSorted[k] = values[sorted[k] - 1];
        }
    }
    std::vector<double> picked;
    picked.reserve(ranks.size());
    for (const std::size_t r : ranks) {
        const auto at = std::lower_bound(sorted.begin(), sorted.end(), r);
        picked.push_back(at != sorted.end() && *at == r ? atSorted[at - sorted.begin()] : kNaN);
    }
    return picked;
}

QuantileEstimate quantileWithInterval95(std::vector<double>& values, std::size_t percent) {
    const std::size_t n = values.size();
    if (n == 0) {
        return {kNaN, {kNaN, kNaN}};
    }
    const std::size_t rank = std::max<std::size_t>(1, (percent * n + 99) / 100);
    const RankBounds bounds = quantileRanks95(n, static_cast<double>(percent) / 100);
    const std::vector<double> v = valuesAtRanks(values, {rank, bounds.lower, bounds.upper});
    return {v[0], {v[1], v[2]}};
}

}  // namespace ambiscan::evidence
