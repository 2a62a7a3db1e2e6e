#include "evidence/HodgesLehmann.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <utility>

#include "evidence/SignedRankDistribution.hpp"

namespace ambiscan::evidence {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The rows of the triangle of Walsh sums: row a holds v_a + v_b for b >= a, weighted by how
// many pairs of observations give it.
class WalshRows {
  public:
    explicit WalshRows(const std::vector<ValueCount>& sample) {
        value_.reserve(sample.size());
        count_.reserve(sample.size());
        prefix_.resize(sample.size() + 1, 0);
        for (std::size_t a = 0; a < sample.size(); ++a) {
            value_.push_back(sample[a].value);
            count_.push_back(sample[a].count);
            prefix_[a + 1] = prefix_[a] + sample[a].count;
        }
    }
    std::size_t size() const { return value_.size(); }
    double sum(std::size_t a, std::size_t b) const { return value_[a] + value_[b]; }
    // Pairs of observations in row a with b < q: c(c + 1) / 2 on the diagonal, c c_b beyond.
    std::uint64_t weight(std::size_t a, std::size_t q) const {
        if (q <= a) {
            return 0;
        }
        const std::uint64_t c = count_[a];
        return c * (c + 1) / 2 + c * (prefix_[q] - prefix_[a + 1]);
    }
    // Pairs of observations whose sum is v_a + v_b, b >= a.
    std::uint64_t pairWeight(std::size_t a, std::size_t b) const {
        return a == b ? weight(a, a + 1) : std::uint64_t{count_[a]} * count_[b];
    }

  private:
    std::vector<double> value_;  // apart from the counts: the walks read values only
    std::vector<std::uint64_t> count_, prefix_;
};

// The candidates of one row: its sums from the first b not below the part's lower bound (lo)
// to the first b not below its upper bound (hi), both taken over every b and so non-increasing
// in the row; the row's candidates are b in [max(row, lo), max(row, hi)). Whole numbers of 32
// bits halve the memory the walks read (walshSums refuses more distinct values).
struct Span {
    std::uint32_t row, lo, hi;
    std::size_t first() const { return std::max(row, lo); }
    std::size_t end() const { return std::max(row, hi); }
};

// Candidates between two bounds, with the ranks sought among them.
struct Part {
    std::vector<Span> spans;   // rows with at least one candidate, in row order
    std::uint64_t before = 0;  // the weight of every sum below the candidates
    std::uint64_t cells = 0;   // candidates (distinct pairs of values)
    std::uint64_t inside = 0;  // their weight (pairs of observations)
    std::vector<std::uint64_t> ranks;
};

// A bound between candidates: sums below `value` lie under it (`orEqual`: at or below it).
struct Pivot {
    double value;
    bool orEqual;
};

// Span lists are reused: fresh memory costs a page fault per 4 kB on first touch.
using SpanPool = std::vector<std::vector<Span>>;
std::vector<Span> spansFrom(SpanPool& pool) {
    if (pool.empty()) {
        return {};
    }
    std::vector<Span> spans = std::move(pool.back());
    pool.pop_back();
    spans.clear();
    return spans;
}

// One walk over the part's rows with a pointer per pivot (ascending): the weight of the sums
// under each pivot and, for the segments asked (segment j lies between pivot j - 1 and pivot
// j, the part's own bounds at either end), their candidates.
struct Split {
    std::vector<std::uint64_t> below;  // per pivot, counted from the bottom of the triangle
    std::vector<Part> parts;           // per segment asked
};
Split split(const WalshRows& rows, const Part& part, const std::vector<Pivot>& pivots,
            const std::vector<std::size_t>& segments, SpanPool& pool) {
    const std::size_t n = pivots.size();
    Split out{std::vector<std::uint64_t>(n, part.before), std::vector<Part>(segments.size())};
    for (Part& child : out.parts) {
        child.spans = spansFrom(pool);
        child.spans.reserve(part.spans.size());
    }
    std::vector<std::uint32_t> at(n, static_cast<std::uint32_t>(rows.size()));
    std::vector<std::uint32_t> bound(n + 2);
    for (const Span& s : part.spans) {
        const std::size_t a = s.row;
        const std::uint64_t start = rows.weight(a, s.first());
        bound[0] = s.lo;
        for (std::size_t p = 0; p < n; ++p) {
            // The previous row's answer bounds this row's from above (sums grow along a row).
            std::uint32_t b = std::min(at[p], s.hi);
            const double q = pivots[p].value;
            if (pivots[p].orEqual) {
                while (b > s.lo && rows.sum(a, b - 1) > q) {
                    --b;
                }
            } else {
                while (b > s.lo && rows.sum(a, b - 1) >= q) {
                    --b;
                }
            }
            at[p] = b;
            bound[p + 1] = b;
        }
        bound[n + 1] = s.hi;
        for (std::size_t p = 0; p < n; ++p) {
            out.below[p] += rows.weight(a, std::max<std::size_t>(a, bound[p + 1])) - start;
        }
        for (std::size_t k = 0; k < segments.size(); ++k) {
            const Span child{s.row, bound[segments[k]], bound[segments[k] + 1]};
            if (child.first() < child.end()) {
                Part& c = out.parts[k];
                c.spans.push_back(child);
                c.cells += child.end() - child.first();
                c.inside += rows.weight(a, child.end()) - rows.weight(a, child.first());
            }
        }
    }
    return out;
}

// Few enough candidates: listed with their weights, sorted, and every rank read off.
void answerBySorting(const WalshRows& rows, const Part& part,
                     const std::vector<std::uint64_t>& ranks, std::vector<double>& answers) {
    std::vector<std::pair<double, std::uint64_t>> candidates;
    for (const Span& s : part.spans) {
        for (std::size_t b = s.first(); b < s.end(); ++b) {
            candidates.emplace_back(rows.sum(s.row, b), rows.pairWeight(s.row, b));
        }
    }
    std::sort(candidates.begin(), candidates.end());
    for (const std::uint64_t rank : part.ranks) {
        std::uint64_t cumulative = part.before;
        double value = kNaN;  // not reached for a rank within the part's
        for (const auto& [sum, weight] : candidates) {
            cumulative += weight;
            if (cumulative >= rank) {
                value = sum;
                break;
            }
        }
        for (std::size_t r = 0; r < ranks.size(); ++r) {
            if (ranks[r] == rank) {
                answers[r] = value;
            }
        }
    }
}

// The pivots of one round: sums drawn from the part's candidates (stratified along them, so
// already in row order), and for every rank their weighted quantiles a few standard errors
// either side of where it falls, the lower one taking the sums below it, the upper one those
// at or below it (so ties at either end stay inside); brackets that overlap are merged.
// Returns the pivots ascending, two per bracket.
std::vector<Pivot> pivotsFor(const WalshRows& rows, const Part& part, std::size_t samples,
                             std::mt19937_64& random) {
    const std::uint64_t cells = part.cells;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(cells, samples));
    std::vector<std::pair<double, std::uint64_t>> drawn;
    drawn.reserve(n);
    std::uniform_real_distribution<double> jitter(0, 1);
    const double stride = static_cast<double>(cells) / static_cast<double>(n);
    const auto position = [&](std::size_t i) {
        const auto p =
            static_cast<std::uint64_t>((static_cast<double>(i) + jitter(random)) * stride);
        return std::min(p, cells - 1);
    };
    std::uint64_t passed = 0;
    std::size_t k = 0;
    std::uint64_t next = position(0);
    for (const Span& s : part.spans) {
        const std::uint64_t width = s.end() - s.first();
        while (k < n && next < passed + width) {
            const std::size_t b = s.first() + static_cast<std::size_t>(next - passed);
            drawn.emplace_back(rows.sum(s.row, b), rows.pairWeight(s.row, b));
            if (++k < n) {
                next = std::max(next, position(k));
            }
        }
        passed += width;
        if (k == n) {
            break;
        }
    }
    std::sort(drawn.begin(), drawn.end());
    std::vector<double> cumulative;
    cumulative.reserve(drawn.size());
    double total = 0;
    for (const auto& item : drawn) {
        cumulative.push_back(total += static_cast<double>(item.second));
    }
    const auto at = [&](double fraction) {
        const auto it = std::lower_bound(cumulative.begin(), cumulative.end(), fraction * total);
        return it == cumulative.end()
                   ? drawn.back().first
                   : drawn[static_cast<std::size_t>(it - cumulative.begin())].first;
    };
    const auto count = static_cast<double>(drawn.size());
    std::vector<Pivot> pivots;
    for (const std::uint64_t rank : part.ranks) {  // ascending
        const double f = static_cast<double>(rank - part.before) / static_cast<double>(part.inside);
        const double spread = 3 * std::sqrt(f * (1 - f) / count) + 2 / count;
        const double low = at(std::max(0.0, f - spread));
        const double high = at(std::min(1.0, f + spread));
        if (!pivots.empty() && low <= pivots.back().value) {
            pivots.back().value = std::max(pivots.back().value, high);
        } else {
            pivots.push_back({low, false});
            pivots.push_back({high, true});
        }
    }
    return pivots;
}

}  // namespace

std::vector<double> walshSumsBySorting(const std::vector<ValueCount>& sample,
                                       const std::vector<std::uint64_t>& ranks) {
    std::vector<std::pair<double, std::uint64_t>> all;
    for (std::size_t a = 0; a < sample.size(); ++a) {
        const std::uint64_t c = sample[a].count;
        all.emplace_back(sample[a].value + sample[a].value, c * (c + 1) / 2);
        for (std::size_t b = a + 1; b < sample.size(); ++b) {
            all.emplace_back(sample[a].value + sample[b].value, c * sample[b].count);
        }
    }
    std::sort(all.begin(), all.end());
    std::vector<std::uint64_t> cumulative;
    std::uint64_t total = 0;
    for (const auto& item : all) {
        cumulative.push_back(total += item.second);
    }
    std::vector<double> sums;
    for (const std::uint64_t rank : ranks) {
        const auto at = std::lower_bound(cumulative.begin(), cumulative.end(), rank);
        sums.push_back(at == cumulative.end()
                           ? kNaN
                           : all[static_cast<std::size_t>(at - cumulative.begin())].first);
    }
    return sums;
}

std::vector<double> walshSums(const std::vector<ValueCount>& sample,
                              const std::vector<std::uint64_t>& ranks, WalshSearch search) {
    const WalshRows rows(sample);
    const std::size_t u = rows.size();
    std::vector<double> answers(ranks.size(), kNaN);
    if (u > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("Hodges-Lehmann estimate: more than 2^32 distinct values");
    }
    Part all;
    all.spans.reserve(u);
    for (std::size_t a = 0; a < u; ++a) {
        all.spans.push_back({static_cast<std::uint32_t>(a), 0, static_cast<std::uint32_t>(u)});
        all.cells += u - a;
        all.inside += rows.weight(a, u);
    }
    all.ranks = ranks;
    std::sort(all.ranks.begin(), all.ranks.end());
    all.ranks.erase(std::unique(all.ranks.begin(), all.ranks.end()), all.ranks.end());
    std::mt19937_64 random{0x5eed};  // steers the search only, never its answer

    SpanPool pool;
    const auto recycle = [&pool](Part& done) { pool.push_back(std::move(done.spans)); };
    std::vector<Part> work;
    work.push_back(std::move(all));
    while (!work.empty()) {
        Part part = std::move(work.back());
        work.pop_back();
        const std::uint64_t cells = part.cells;
        if (cells <= search.sortBelow) {
            answerBySorting(rows, part, ranks, answers);
            recycle(part);
            continue;
        }
        const std::vector<Pivot> pivots = pivotsFor(rows, part, search.samples, random);
        // The rank's bracket is usually its segment: every bracket's candidates kept in the
        // same walk that counts them.
        std::vector<std::size_t> segments;
        for (std::size_t p = 1; p < pivots.size(); p += 2) {
            segments.push_back(p);
        }
        Split s = split(rows, part, pivots, segments, pool);
        // Where each rank fell: segment j holds the ranks above below[j - 1] up to below[j].
        std::vector<std::vector<std::uint64_t>> ranksIn(pivots.size() + 1);
        for (const std::uint64_t rank : part.ranks) {
            const auto j = static_cast<std::size_t>(
                std::lower_bound(s.below.begin(), s.below.end(), rank) - s.below.begin());
            ranksIn[j].push_back(rank);
        }
        bool asBracketed = true;
        for (std::size_t j = 0; j < ranksIn.size(); ++j) {
            if (!ranksIn[j].empty() &&
                std::find(segments.begin(), segments.end(), j) == segments.end()) {
                asBracketed = false;
            }
        }
        if (!asBracketed) {  // rarely a rank falls outside its pivots: the walk again
            segments.clear();
            for (std::size_t j = 0; j < ranksIn.size(); ++j) {
                if (!ranksIn[j].empty()) {
                    segments.push_back(j);
                }
            }
            for (Part& unused : s.parts) {
                recycle(unused);
            }
            s.parts = split(rows, part, pivots, segments, pool).parts;
        }
        for (std::size_t k = 0; k < segments.size(); ++k) {
            const std::size_t j = segments[k];
            Part& child = s.parts[k];
            child.before = j == 0 ? part.before : s.below[j - 1];
            child.ranks = std::move(ranksIn[j]);
            if (child.ranks.empty()) {
                recycle(child);
                continue;
            }
            if (child.cells < cells) {
                work.push_back(std::move(child));
                continue;
            }
            // Nothing left out: only a bracket's segment can hold every candidate (any other
            // leaves out the pivot next to it, itself a candidate), so every candidate lies at
            // or above the bracket's lower pivot: the smallest, which settles the ranks up to
            // its last copy; the rest lie above it.
            const double smallest = pivots[j - 1].value;
            Split above = split(rows, child, {{smallest, true}}, {1}, pool);
            recycle(child);
            Part& rest = above.parts[0];
            rest.before = above.below[0];
            for (const std::uint64_t rank : child.ranks) {
                if (rank <= above.below[0]) {
                    for (std::size_t r = 0; r < ranks.size(); ++r) {
                        if (ranks[r] == rank) {
                            answers[r] = smallest;
                        }
                    }
                } else {
                    rest.ranks.push_back(rank);
                }
            }
            if (!rest.ranks.empty()) {
                work.push_back(std::move(rest));
            } else {
                recycle(rest);
            }
        }
        recycle(part);
    }
    return answers;
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
    const std::size_t u = sample.size();
    const std::vector<double> sums = u * (u + 1) / 2 <= WalshSearch{}.sortBelow
                                         ? walshSumsBySorting(sample, ranks)
                                         : walshSums(sample, ranks);
    // Halved one by one: a sum of two large values may overflow where their mean does not.
    e.estimate = sums[0] / 2 / 2 + sums[1] / 2 / 2;
    if (k > 0) {
        e.ci95 = {sums[2] / 2, sums[3] / 2};
    }
    return e;
}

}  // namespace ambiscan::evidence
