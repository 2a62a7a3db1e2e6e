#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <thread>
#include <utility>
#include <vector>

#include "analysis/positionErrors.hpp"
#include "evidence/AccuracyPercentiles.hpp"
#include "evidence/CorrectFixTimes.hpp"
#include "evidence/CurveSecond.hpp"
#include "evidence/Evidence.hpp"
#include "evidence/HodgesLehmann.hpp"
#include "evidence/HolmAdjustment.hpp"
#include "evidence/Intervals.hpp"
#include "evidence/PairedComparisons.hpp"
#include "evidence/PairedDifference.hpp"

namespace ambiscan::evidence {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Below this many attempts the work takes less than starting a thread costs.
constexpr std::size_t kRowsWorthAThread = 20000;

// Times to a correct fix in whole seconds up to this size are compared through a histogram of
// their differences instead of sorting them (a million rows: no sort of a million keys).
constexpr double kWholeSecondSpan = 4096;

// What the comparisons need of a data set.
struct Outcomes {
    std::vector<bool> good;
    std::vector<double> timeToCorrectFix;  // per attempt, +Inf without a correct fix
    bool wholeSeconds = true;              // every finite time a whole number within the span
    double first = 0, last = 0;            // the smallest and largest finite time
};

Outcomes outcomes(const analysis::DataSetResults& d) {
    Outcomes o;
    o.good.resize(d.times.numel());
    for (std::size_t r = 0; r < o.good.size(); ++r) {
        o.good[r] = !analysis::isBadInit(d.east[r], d.north[r], d.height[r]);
    }
    o.timeToCorrectFix = timesToCorrectFix(d.times, o.good);
    o.first = kInf;
    o.last = -kInf;
    for (const double t : o.timeToCorrectFix) {
        if (t == kInf) {
            continue;
        }
        if (!(std::abs(t) <= kWholeSecondSpan && t == std::floor(t))) {
            o.wholeSeconds = false;
            break;
        }
        o.first = std::min(o.first, t);
        o.last = std::max(o.last, t);
    }
    return o;
}

Interval percent(Interval fraction) {
    return {100 * fraction.lower, 100 * fraction.upper};
}

void timeIntervals(DataSetEvidence& e, const analysis::DataSetResults& d) {
    // Attempts without a time rank as never fixed (after every other).
    std::vector<double> times = d.times.toVector();
    for (double& t : times) {
        t = std::isnan(t) ? kInf : t;
    }
    const std::size_t n = times.size();
    const RankBounds p90 = quantileRanks95(n, 0.9);
    const RankBounds p50 = quantileRanks95(n, 0.5);
    const std::vector<double> v =
        valuesAtRanks(times, {p90.lower, p90.upper, p50.lower, p50.upper});
    // The 90 % time is read off the binned curve, so its bounds are binned the same way; a rank
    // without a bound stays NaN.
    const auto binned = [](double t) { return std::isnan(t) ? t : curveSecond(t); };
    e.p90Ci95 = {binned(v[0]), binned(v[1])};
    e.medianCi95 = {v[2], v[3]};
}

void correctFixes(DataSetEvidence& e, const Outcomes& o, const analysis::DataSetResults& d) {
    const std::vector<double>& t = o.timeToCorrectFix;
    e.correctFixes = static_cast<std::size_t>(
        std::count_if(t.begin(), t.end(), [](double v) { return v != kInf; }));
    e.correctFixPercent =
        t.empty() ? kNaN
                  : 100 * static_cast<double>(e.correctFixes) / static_cast<double>(t.size());
    e.correctFixCi95Percent = percent(clopperPearson95(e.correctFixes, t.size()));
    e.p90CorrectFix = correctFixTimes(d.times, o.good).p90;

    const std::size_t n = t.size();
    const auto rankOf = [n](std::size_t pct) {
        return std::max<std::size_t>(1, (pct * n + 99) / 100);
    };
    const RankBounds p50 = quantileRanks95(n, 0.5);
    const RankBounds p90 = quantileRanks95(n, 0.9);
    std::vector<double> copy = t;
    const std::vector<double> v =
        valuesAtRanks(copy, {rankOf(50), p50.lower, p50.upper, rankOf(90), p90.lower, p90.upper});
    e.timeToCorrectFixP50 = n == 0 ? kNaN : v[0];
    e.timeToCorrectFixP50Ci95 = {v[1], v[2]};
    e.timeToCorrectFixP90 = n == 0 ? kNaN : v[3];
    e.timeToCorrectFixP90Ci95 = {v[4], v[5]};
}

void allFixesAccuracy(DataSetEvidence& e, const analysis::DataSetResults& d) {
    std::vector<double> horizontal, vertical;
    horizontal.reserve(d.east.numel());
    vertical.reserve(d.east.numel());
    for (std::size_t r = 0; r < d.east.numel(); ++r) {
        if (std::isfinite(d.east[r]) && std::isfinite(d.north[r]) && std::isfinite(d.height[r])) {
            horizontal.push_back(std::sqrt(d.east[r] * d.east[r] + d.north[r] * d.north[r]));
            vertical.push_back(std::abs(d.height[r]));
        }
    }
    e.allFixes = horizontal.size();
    // The median first: the 95 % point's selection then works in the upper half only.
    e.allHorizontalP50 = nearestRank(horizontal, 50);
    const QuantileEstimate h95 = quantileWithInterval95(horizontal, 95);
    e.allHorizontalP95 = h95.estimate;
    e.allHorizontalP95Ci95 = h95.ci95;
    const QuantileEstimate v95 = quantileWithInterval95(vertical, 95);
    e.allVerticalAbsP95 = v95.estimate;
    e.allVerticalAbsP95Ci95 = v95.ci95;
}

DataSetEvidence assessDataSet(const analysis::DataSetResults& d, const Matrix& startTimes,
                              const Outcomes& o) {
    const std::vector<bool>& good = o.good;
    DataSetEvidence e;
    const analysis::DataSetStatistics& s = d.stats;
    e.name = d.name;
    e.attempts = good.size();
    for (std::size_t r = 0; r < good.size(); ++r) {
        if (good[r]) {
            ++e.good;
        } else {
            e.badFixes.push_back({r + 1, startTimes[r], d.east[r], d.north[r], d.height[r]});
        }
    }
    e.bad = e.attempts - e.good;
    e.reliabilityPercent = s.PercentGood;
    e.reliabilityCi95Percent = percent(clopperPearson95(e.good, e.attempts));

    e.p90 = s.Init90;
    e.max = s.InitMax;
    e.mean = s.InitAv;
    e.median = s.InitMedian;
    timeIntervals(e, d);
    correctFixes(e, o, d);

    e.eastMean = s.InitEMean;
    e.eastSigma = s.InitESigma;
    e.northMean = s.InitNMean;
    e.northSigma = s.InitNSigma;
    e.heightMean = s.InitUMean;
    e.heightSigma = s.InitUSigma;
    const AccuracyPercentiles accuracy = accuracyPercentiles(d.east, d.north, d.height, good);
    e.horizontalP50 = accuracy.horizontalP50;
    e.horizontalP95 = accuracy.horizontalP95;
    e.verticalAbsP95 = accuracy.verticalAbsP95;
    allFixesAccuracy(e, d);
    e.independence = independence(good);
    return e;
}

// The differences of times to a correct fix of one pair, as both tests need them.
struct Differences {
    std::vector<RankGroup> rankGroups;    // nonzero |d|, +Inf ones at the top
    std::vector<ValueCount> bothCorrect;  // finite d, zeros kept
};

// Whole seconds: finite d counted in a histogram, which lists them in order without a sort.
Differences wholeSecondDifferences(const Outcomes& oa, const Outcomes& ob, Comparison& c) {
    const std::vector<double>& ta = oa.timeToCorrectFix;
    const std::vector<double>& tb = ob.timeToCorrectFix;
    // The differences lie within these bounds (none when either has no correct fix).
    const bool any = oa.first <= oa.last && ob.first <= ob.last;
    const auto low = static_cast<std::ptrdiff_t>(any ? ob.first - oa.last : 0);
    const auto high = static_cast<std::ptrdiff_t>(any ? ob.last - oa.first : 0);
    std::vector<std::size_t> histogram(static_cast<std::size_t>(high - low) + 1, 0);
    const auto at = [&](std::ptrdiff_t v) -> std::size_t& {
        return histogram[static_cast<std::size_t>(v - low)];
    };
    for (std::size_t r = 0; r < ta.size(); ++r) {
        if (ta[r] != kInf && tb[r] != kInf) {
            ++at(static_cast<std::ptrdiff_t>(tb[r] - ta[r]));
        } else if (ta[r] != kInf) {
            ++c.onlyACorrect;
        } else if (tb[r] != kInf) {
            ++c.onlyBCorrect;
        }
    }
    Differences d;
    for (std::ptrdiff_t v = low; v <= high; ++v) {
        if (at(v) > 0) {
            d.bothCorrect.push_back({static_cast<double>(v), at(v)});
        }
    }
    const std::ptrdiff_t largest = std::max(-low, high);
    for (std::ptrdiff_t v = 1; v <= largest; ++v) {
        // Both signs only where the histogram holds them: all differences may lie on one side.
        const std::size_t positives = v >= low && v <= high ? at(v) : 0;
        const std::size_t count = positives + (-v >= low && -v <= high ? at(-v) : 0);
        if (count > 0) {
            d.rankGroups.push_back({count, positives});
        }
    }
    if (c.onlyACorrect + c.onlyBCorrect > 0) {
        d.rankGroups.push_back({c.onlyACorrect + c.onlyBCorrect, c.onlyACorrect});
    }
    return d;
}

Differences anyDifferences(const std::vector<double>& ta, const std::vector<double>& tb,
                           Comparison& c) {
    std::vector<double> finite;
    finite.reserve(ta.size());
    for (std::size_t r = 0; r < ta.size(); ++r) {
        if (ta[r] != kInf && tb[r] != kInf) {
            finite.push_back(tb[r] - ta[r]);
        } else if (ta[r] != kInf) {
            ++c.onlyACorrect;  // d = +Inf
        } else if (tb[r] != kInf) {
            ++c.onlyBCorrect;  // d = -Inf; both without a correct fix is a tie, d = 0
        }
    }
    // One sort serves both: the distinct differences, and from them the groups of |d|.
    Differences d;
    d.bothCorrect = distinctValues(finite);
    d.rankGroups = rankGroups(d.bothCorrect, c.onlyACorrect, c.onlyBCorrect);
    return d;
}

Comparison compare(std::size_t a, std::size_t b, const std::vector<Outcomes>& outcome) {
    Comparison c;
    c.a = a;
    c.b = b;
    const Outcomes& oa = outcome[a];
    const Outcomes& ob = outcome[b];
    c.pairs = oa.good.size();
    PairedTable table;
    for (std::size_t r = 0; r < c.pairs; ++r) {
        const bool ga = oa.good[r], gb = ob.good[r];
        table.both += ga && gb ? 1 : 0;
        table.onlyA += ga && !gb ? 1 : 0;
        table.onlyB += !ga && gb ? 1 : 0;
    }
    table.neither = c.pairs - table.both - table.onlyA - table.onlyB;
    c.aGoodBBad = table.onlyA;
    c.aBadBGood = table.onlyB;
    c.mcnemarExactP = mcnemarExactP(c.aGoodBBad, c.aBadBGood);
    c.differencePercent =
        c.pairs == 0 ? kNaN
                     : 100 * (static_cast<double>(table.onlyB) - static_cast<double>(table.onlyA)) /
                           static_cast<double>(c.pairs);
    c.differenceCi95Percent = percent(pairedDifference95(table));

    const Differences d = oa.wholeSeconds && ob.wholeSeconds
                              ? wholeSecondDifferences(oa, ob, c)
                              : anyDifferences(oa.timeToCorrectFix, ob.timeToCorrectFix, c);
    const SignedRankTest test = signedRankTest(d.rankGroups);
    c.nonzeroPairs = test.nonzeroPairs;
    c.wilcoxonP = test.p;
    c.bSlower = test.direction;
    const CentreEstimate shift = hodgesLehmann(d.bothCorrect);
    c.bothCorrect = shift.size;
    c.hodgesLehmannSeconds = shift.estimate;
    c.hodgesLehmannCi95Seconds = shift.ci95;
    return c;
}

// Runs job(0) .. job(count - 1), shared out between the cores on long runs.
void inParallel(std::size_t count, std::size_t rows, const std::function<void(std::size_t)>& job) {
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t k = next++; k < count; k = next++) {
            job(k);
        }
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    // Threads besides this one: up to one per core and one per job; none on short runs.
    std::size_t helpers = 0;
    if (rows >= kRowsWorthAThread && count > 1) {
        helpers = std::min(count, cores) - 1;
    }
    std::vector<std::jthread> threads;
    for (std::size_t t = 0; t < helpers; ++t) {
        threads.emplace_back(work);
    }
    work();
}

}  // namespace

RunEvidence assess(const analysis::RunResults& results) {
    RunEvidence evidence;
    const std::size_t sets = results.dataSets.size();
    const std::size_t rows = results.startTimes.numel();
    std::vector<Outcomes> outcome(sets);
    evidence.dataSets.resize(sets);
    inParallel(sets, rows, [&](std::size_t k) {
        outcome[k] = outcomes(results.dataSets[k]);
        evidence.dataSets[k] = assessDataSet(results.dataSets[k], results.startTimes, outcome[k]);
    });

    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t a = 0; a < sets; ++a) {
        for (std::size_t b = a + 1; b < sets; ++b) {
            pairs.emplace_back(a, b);
        }
    }
    // Each result in its own place, so that the order stays the legend order.
    evidence.comparisons.resize(pairs.size());
    inParallel(pairs.size(), rows, [&](std::size_t k) {
        evidence.comparisons[k] = compare(pairs[k].first, pairs[k].second, outcome);
    });

    // Every p of the run is one family: two per pair, adjusted together.
    std::vector<double> p;
    for (const Comparison& c : evidence.comparisons) {
        p.push_back(c.mcnemarExactP);
        p.push_back(c.wilcoxonP);
    }
    const std::vector<double> holm = holmAdjusted(p);
    for (std::size_t k = 0; k < evidence.comparisons.size(); ++k) {
        evidence.comparisons[k].reliabilityPHolm = holm[2 * k];
        evidence.comparisons[k].timePHolm = holm[2 * k + 1];
    }
    evidence.comparedPValues = p.size();
    return evidence;
}

}  // namespace ambiscan::evidence
