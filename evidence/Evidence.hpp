#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/RunResults.hpp"
#include "platform/base/WorkerPool.hpp"

// Statistics a decision rests on: intervals, accuracy percentiles and paired comparisons of
// the receivers, read from the analysis' results. A value that is not defined is NaN.
namespace ambiscan::evidence {

struct Interval {
    double lower;  // NaN when no bound can be given
    double upper;
};

struct BadFix {
    std::size_t row;  // 1-based, as the console list numbers them
    double startTime;
    double east, north, height;
};

struct DataSetEvidence {
    std::string name;
    std::size_t attempts = 0, good = 0, bad = 0;
    double reliabilityPercent = 0;
    Interval reliabilityCi95Percent{};
    double p90 = 0, max = 0, mean = 0, median = 0;  // seconds, as stats.csv has them (unrounded)
    Interval p90Ci95{}, medianCi95{};
    double p90CorrectFix = 0;  // seconds; NaN when never reached within 500 s
    double correctFixWithin500sPercent = 0;
    double eastMean = 0, eastSigma = 0, northMean = 0, northSigma = 0, heightMean = 0,
           heightSigma = 0;
    double horizontalP50 = 0, horizontalP95 = 0, verticalAbsP95 = 0;  // metres, good fixes
    std::vector<BadFix> badFixes;
};

struct Comparison {
    std::size_t a = 0, b = 0;  // data set indices, a < b
    std::size_t pairs = 0;
    std::size_t aGoodBBad = 0, aBadBGood = 0;
    double mcnemarExactP = 1;
    double medianDifferenceSeconds = 0;  // median of t_b - t_a: positive when b is slower
    std::size_t nonzeroPairs = 0;
    double wilcoxonP = 1;
};

struct RunEvidence {
    std::vector<DataSetEvidence> dataSets;
    std::vector<Comparison> comparisons;  // every pair a < b in legend order
};

RunEvidence assess(const analysis::RunResults& results);
// The same, the data sets and the comparisons shared out between the pool's workers.
RunEvidence assess(const analysis::RunResults& results, WorkerPool& pool);

}  // namespace ambiscan::evidence
