#include <cmath>
#include <utility>
#include <vector>

#include "analysis/positionErrors.hpp"
#include "evidence/AccuracyPercentiles.hpp"
#include "evidence/CorrectFixTimes.hpp"
#include "evidence/Evidence.hpp"
#include "evidence/Intervals.hpp"
#include "evidence/PairedComparisons.hpp"

namespace ambiscan::evidence {

namespace {

std::vector<bool> goodRows(const analysis::DataSetResults& d) {
    std::vector<bool> good(d.times.numel());
    for (std::size_t r = 0; r < good.size(); ++r) {
        good[r] = !analysis::isBadInit(d.east[r], d.north[r], d.height[r]);
    }
    return good;
}

Interval percent(Interval fraction) {
    return {100 * fraction.lower, 100 * fraction.upper};
}

DataSetEvidence assessDataSet(const analysis::DataSetResults& d, const Matrix& startTimes,
                              const std::vector<bool>& good) {
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
    // One copy of the times serves both intervals (selection reorders it; no sort is needed).
    std::vector<double> times = d.times.toVector();
    e.p90Ci95 = quantileInterval95(times, 0.9);
    e.medianCi95 = quantileInterval95(times, 0.5);

    const CorrectFixTimes correct = correctFixTimes(d.times, good);
    e.p90CorrectFix = correct.p90;
    e.correctFixWithin500sPercent = correct.within500Percent;

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
    return e;
}

Comparison compare(std::size_t a, std::size_t b, const analysis::RunResults& results,
                   const std::vector<std::vector<bool>>& good) {
    Comparison c;
    c.a = a;
    c.b = b;
    const Matrix& ta = results.dataSets[a].times;
    const Matrix& tb = results.dataSets[b].times;
    c.pairs = ta.numel();
    std::vector<double> differences;
    differences.reserve(c.pairs);
    for (std::size_t r = 0; r < c.pairs; ++r) {
        c.aGoodBBad += good[a][r] && !good[b][r] ? 1 : 0;
        c.aBadBGood += !good[a][r] && good[b][r] ? 1 : 0;
        if (!std::isnan(ta[r]) && !std::isnan(tb[r])) {
            differences.push_back(tb[r] - ta[r]);
        }
    }
    c.mcnemarExactP = mcnemarExactP(c.aGoodBBad, c.aBadBGood);
    const SignedRankTest test = wilcoxonSignedRank(differences);
    c.nonzeroPairs = test.nonzeroPairs;
    c.wilcoxonP = test.p;
    c.medianDifferenceSeconds = medianOf(std::move(differences));
    return c;
}

}  // namespace

RunEvidence assess(const analysis::RunResults& results) {
    WorkerPool none(0);
    return assess(results, none);
}

RunEvidence assess(const analysis::RunResults& results, WorkerPool& pool) {
    RunEvidence evidence;
    const std::size_t n = results.dataSets.size();
    std::vector<std::vector<bool>> good(n);
    evidence.dataSets.resize(n);
    // Each data set's intervals select among a million times on a long run, and each
    // comparison ranks a million differences: they are shared out between the workers, each
    // result in its own place so that the order stays the legend order.
    pool.forEach(n, [&](std::size_t k) {
        good[k] = goodRows(results.dataSets[k]);
        evidence.dataSets[k] = assessDataSet(results.dataSets[k], results.startTimes, good[k]);
    });
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            pairs.emplace_back(a, b);
        }
    }
    evidence.comparisons.resize(pairs.size());
    pool.forEach(pairs.size(), [&](std::size_t k) {
        evidence.comparisons[k] = compare(pairs[k].first, pairs[k].second, results, good);
    });
    return evidence;
}

}  // namespace ambiscan::evidence
