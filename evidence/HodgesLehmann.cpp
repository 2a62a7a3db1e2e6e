#include "evidence/HodgesLehmann.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "evidence/SignedRankDistribution.hpp"

namespace ambiscan::evidence {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The rows of the triangle of Walsh sums: row a holds v_a + v_b for b >= a, weighted by how
// many pairs of observations give it.
class WalshRows {
  public:
    explicit WalshRows(const std::vector<ValueCount>& sample) : v_(sample) {
        prefix_.resize(v_.size() + 1, 0);
        for (std::size_t a = 0; a < v_.size(); ++a) {
            prefix_[a + 1] = prefix_[a] + v_[a].count;
        }
    }
    std::size_t size() const { return v_.size(); }
    double sum(std::size_t a, std::size_t b) const { return v_[a].value + v_[b].value; }
    // Pairs of observations in row a with b < q: c(c + 1) / 2 on the diagonal, c c_b beyond.
    std::uint64_t weight(std::size_t a, std::size_t q) const {
        if (q <= a) {
            return 0;
        }
        const std::uint64_t c = v_[a].count;
        return c * (c + 1) / 2 + c * (prefix_[q] - prefix_[a + 1]);
    }
    // Pairs of observations whose sum is v_a + v_b, b >= a.
    std::uint64_t pairWeight(std::size_t a, std::size_t b) const {
        return a == b ? weight(a, a + 1) : std::uint64_t{v_[a].count} * v_[b].count;
    }
    // For every row, the first b >= a whose sum is not below the pivot (`orEqual`: not at or
    // below it), and the weight of the pairs before it. The first b is non-increasing in a.
    std::uint64_t countBelow(double pivot, bool orEqual, std::vector<std::size_t>& first) const {
        std::uint64_t below = 0;
        std::size_t b = v_.size();
        for (std::size_t a = 0; a < v_.size(); ++a) {
            while (b > 0 && (orEqual ? sum(a, b - 1) > pivot : sum(a, b - 1) >= pivot)) {
                --b;
            }
            first[a] = std::max(a, b);
            below += weight(a, first[a]);
        }
        return below;
    }

  private:
    const std::vector<ValueCount>& v_;
    std::vector<std::uint64_t> prefix_;
};

// Few enough candidates left to sort them.
constexpr std::uint64_t kSortBelow = 4096;

double sortedPick(const WalshRows& rows, const std::vector<std::size_t>& lo,
                  const std::vector<std::size_t>& hi, std::uint64_t rank) {
    std::uint64_t before = 0;  // the weight of every pair left of the candidates
    std::vector<std::pair<double, std::uint64_t>> candidates;
    for (std::size_t a = 0; a < rows.size(); ++a) {
        before += rows.weight(a, lo[a]);
        for (std::size_t b = lo[a]; b < hi[a]; ++b) {
            candidates.emplace_back(rows.sum(a, b), rows.pairWeight(a, b));
        }
    }
    std::sort(candidates.begin(), candidates.end());
    for (const auto& [sum, weight] : candidates) {
        before += weight;
        if (before >= rank) {
            return sum;
        }
    }
    return kNaN;  // not reached for a rank within the sample's
}

}  // namespace

namespace {

// Walsh sums drawn at random from the candidates to place two pivots around the rank sought.
constexpr std::size_t kSamples = 2048;

struct Search {
    const WalshRows& rows;
    std::vector<std::size_t> lo, hi;  // the candidates of row a are b in [lo[a], hi[a])
    std::vector<std::size_t> below, notAbove;
    std::vector<std::uint64_t> running = std::vector<std::uint64_t>(rows.size());
    std::mt19937_64 random{0x5eed};  // steers the search only, never its answer

    std::uint64_t candidates() const {
        std::uint64_t n = 0;
        for (std::size_t a = 0; a < rows.size(); ++a) {
            n += hi[a] - lo[a];
        }
        return n;
    }
    // A candidate drawn uniformly: its row found on the running counts.
    std::pair<std::size_t, std::size_t> draw() {
        const std::uint64_t pick =
            std::uniform_int_distribution<std::uint64_t>(0, running.back() - 1)(random);
        const auto row = static_cast<std::size_t>(
            std::upper_bound(running.begin(), running.end(), pick) - running.begin());
        const std::uint64_t before = row == 0 ? 0 : running[row - 1];
        return {row, lo[row] + static_cast<std::size_t>(pick - before)};
    }
    // Two sums that should hold the rank between them: the sample's weighted quantiles a few
    // standard errors either side of where the rank falls among the candidates.
    std::pair<double, double> bracket(std::uint64_t rank, std::uint64_t count) {
        std::uint64_t total = 0, before = 0, inside = 0;
        for (std::size_t a = 0; a < rows.size(); ++a) {
            running[a] = total += hi[a] - lo[a];
            before += rows.weight(a, lo[a]);
            inside += rows.weight(a, hi[a]) - rows.weight(a, lo[a]);
        }
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, kSamples));
        std::vector<std::pair<double, std::uint64_t>> sample;
        sample.reserve(n);
        double weights = 0;
        for (std::size_t k = 0; k < n; ++k) {
            const auto [a, b] = draw();
            sample.emplace_back(rows.sum(a, b), rows.pairWeight(a, b));
            weights += static_cast<double>(sample.back().second);
        }
        std::sort(sample.begin(), sample.end());
        const double f = static_cast<double>(rank - before) / static_cast<double>(inside);
        const auto drawn = static_cast<double>(n);
        const double spread = 3 * std::sqrt(f * (1 - f) / drawn) + 2 / drawn;
        const auto at = [&](double fraction) {
            double cumulative = 0;
            for (const auto& [sum, weight] : sample) {
                cumulative += static_cast<double>(weight);
                if (cumulative >= fraction * weights) {
                    return sum;
                }
            }
            return sample.back().first;
        };
        return {at(std::max(0.0, f - spread)), at(std::min(1.0, f + spread))};
    }
    // Keeps the candidates of each row within [from[a], to[a]) and counts those left.
    std::uint64_t keep(const std::vector<std::size_t>* from, const std::vector<std::size_t>* to) {
        std::uint64_t n = 0;
        for (std::size_t a = 0; a < rows.size(); ++a) {
            if (from != nullptr) {
                lo[a] = std::min(hi[a], std::max(lo[a], (*from)[a]));
            }
            if (to != nullptr) {
                hi[a] = std::max(lo[a], std::min(hi[a], (*to)[a]));
            }
            n += hi[a] - lo[a];
        }
        return n;
    }
};

}  // namespace

double walshSum(const std::vector<ValueCount>& sample, std::uint64_t rank) {
    const WalshRows rows(sample);
    const std::size_t u = rows.size();
    Search search{rows, std::vector<std::size_t>(u), std::vector<std::size_t>(u, u),
                  std::vector<std::size_t>(u), std::vector<std::size_t>(u)};
    for (std::size_t a = 0; a < u; ++a) {
        search.lo[a] = a;
    }
    std::uint64_t count = search.candidates();
    for (;;) {
        if (count <= kSortBelow) {
            return sortedPick(rows, search.lo, search.hi, rank);
        }
        // Two passes over the rows narrow the candidates to those between the pivots: rarely
        // the rank falls outside them, and the side that holds it is kept instead.
        const auto [low, high] = search.bracket(rank, count);
        if (rank <= rows.countBelow(low, false, search.below)) {
            count = search.keep(nullptr, &search.below);
            continue;
        }
        if (rank > rows.countBelow(high, true, search.notAbove)) {
            count = search.keep(&search.notAbove, nullptr);
            continue;
        }
        const std::uint64_t before = count;
        count = search.keep(&search.below, &search.notAbove);
        if (count < before) {
            continue;
        }
        // Every candidate lies between the pivots (many equal sums): the pivot itself decides.
        if (rank <= rows.countBelow(low, true, search.notAbove)) {
            return low;
        }
        count = search.keep(&search.notAbove, nullptr);
    }
}

CentreEstimate hodgesLehmann(const std::vector<ValueCount>& sample) {
    CentreEstimate e{0, kNaN, {kNaN, kNaN}};
    for (const ValueCount& v : sample) {
        e.size += v.count;
    }
    if (e.size == 0) {
        return e;
    }
    const std::uint64_t m = e.size;
    const std::uint64_t walsh = m * (m + 1) / 2;
    const std::size_t k = walshBoundRank(e.size);
    std::vector<std::uint64_t> ranks = {(walsh + 1) / 2, walsh / 2 + 1};
    if (k > 0) {
        ranks.push_back(k);
        ranks.push_back(walsh + 1 - k);
    }
    // Few distinct values: their sums sorted once answer every rank.
    std::vector<double> sums;
    const std::size_t u = sample.size();
    if (u * (u + 1) / 2 <= kSortBelow) {
        const WalshRows rows(sample);
        std::vector<std::pair<double, std::uint64_t>> all;
        for (std::size_t a = 0; a < u; ++a) {
            for (std::size_t b = a; b < u; ++b) {
                all.emplace_back(rows.sum(a, b), rows.pairWeight(a, b));
            }
        }
        std::sort(all.begin(), all.end());
        std::vector<std::uint64_t> cumulative;
        std::uint64_t total = 0;
        for (const auto& item : all) {
            cumulative.push_back(total += item.second);
        }
        for (const std::uint64_t rank : ranks) {
            const auto at = std::lower_bound(cumulative.begin(), cumulative.end(), rank);
            sums.push_back(all[static_cast<std::size_t>(at - cumulative.begin())].first);
        }
    } else {
        // The two middle ranks are neighbours: the second is the first again when it repeats,
        // else the smallest sum above it, read off in one pass.
        const WalshRows rows(sample);
        sums.push_back(walshSum(sample, ranks[0]));
        std::vector<std::size_t> above(u);
        if (ranks[1] == ranks[0] || rows.countBelow(sums[0], true, above) >= ranks[1]) {
            sums.push_back(sums[0]);
        } else {
            double next = std::numeric_limits<double>::infinity();
            for (std::size_t a = 0; a < u; ++a) {
                if (above[a] < u) {
                    next = std::min(next, rows.sum(a, above[a]));
                }
            }
            sums.push_back(next);
        }
        for (std::size_t r = 2; r < ranks.size(); ++r) {
            sums.push_back(walshSum(sample, ranks[r]));
        }
    }
    // Halved one by one: a sum of two large values may overflow where their mean does not.
    e.estimate = sums[0] / 2 / 2 + sums[1] / 2 / 2;
    if (k > 0) {
        e.ci95 = {sums[2] / 2, sums[3] / 2};
    }
    return e;
}

}  // namespace ambiscan::evidence
