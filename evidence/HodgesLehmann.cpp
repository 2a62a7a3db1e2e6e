#include "evidence/HodgesLehmann.hpp"

#include <algorithm>
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

double walshSum(const std::vector<ValueCount>& sample, std::uint64_t rank) {
    const WalshRows rows(sample);
    const std::size_t u = rows.size();
    std::vector<std::size_t> lo(u), hi(u, u), below(u), notAbove(u);
    for (std::size_t a = 0; a < u; ++a) {
        lo[a] = a;
    }
    std::mt19937_64 random(0x5eed);  // the pivots only steer the search, never its answer
    for (;;) {
        std::uint64_t candidates = 0;
        for (std::size_t a = 0; a < u; ++a) {
            candidates += hi[a] - lo[a];
        }
        if (candidates <= kSortBelow) {
            return sortedPick(rows, lo, hi, rank);
        }
        std::uint64_t pick =
            std::uniform_int_distribution<std::uint64_t>(0, candidates - 1)(random);
        std::size_t a = 0;
        while (pick >= hi[a] - lo[a]) {
            pick -= hi[a] - lo[a];
            ++a;
        }
        const double pivot = rows.sum(a, lo[a] + pick);
        const std::uint64_t less = rows.countBelow(pivot, false, below);
        if (rank <= less) {
            for (std::size_t r = 0; r < u; ++r) {
                hi[r] = std::max(lo[r], std::min(hi[r], below[r]));
            }
            continue;
        }
        const std::uint64_t atMost = rows.countBelow(pivot, true, notAbove);
        if (rank <= atMost) {
            return pivot;
        }
        for (std::size_t r = 0; r < u; ++r) {
            lo[r] = std::min(hi[r], std::max(lo[r], notAbove[r]));
        }
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
        for (const std::uint64_t rank : ranks) {
            sums.push_back(walshSum(sample, rank));
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
