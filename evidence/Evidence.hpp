#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/RunResults.hpp"
#include "evidence/Independence.hpp"

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
    // NaN and +Inf times rank as never fixed; the 90 % time's bounds are on its whole seconds.
    Interval p90Ci95{}, medianCi95{};
    double p90CorrectFix = 0;  // seconds, binned as the curve; NaN when never reached in 500 s
    // Correct fixes (timeToCorrectFix) and the quantiles of the time to one over all attempts.
    std::size_t correctFixes = 0;
    double correctFixPercent = 0;
    Interval correctFixCi95Percent{};
    double timeToCorrectFixP50 = 0, timeToCorrectFixP90 = 0;
    Interval timeToCorrectFixP50Ci95{}, timeToCorrectFixP90Ci95{};
    double eastMean = 0, eastSigma = 0, northMean = 0, northSigma = 0, heightMean = 0,
           heightSigma = 0;
    double horizontalP50 = 0, horizontalP95 = 0, verticalAbsP95 = 0;  // metres, good fixes
    // Metres, over every attempt with finite east, north and height errors, good or bad.
    std::size_t allFixes = 0;
    double allHorizontalP50 = 0, allHorizontalP95 = 0, allVerticalAbsP95 = 0;
    Interval allHorizontalP95Ci95{}, allVerticalAbsP95Ci95{};
    Independence independence;
    std::vector<BadFix> badFixes;
};

struct Comparison {
    std::size_t a = 0, b = 0;  // data set indices, a < b
    std::size_t pairs = 0;
    // Reliability: good fixes compared row by row.
    std::size_t aGoodBBad = 0, aBadBGood = 0;
    double mcnemarExactP = 1, reliabilityPHolm = 1;
    double differencePercent = 0;  // reliability of b minus a's, in points
    Interval differenceCi95Percent{};
    // Time to a correct fix, d = T_b - T_a (both without a correct fix: 0).
    double wilcoxonP = 1, timePHolm = 1;
    std::size_t nonzeroPairs = 0;
    int bSlower = 0;  // the signed-rank test's direction: +1 b slower, -1 b sooner, 0 neither
    std::size_t bothCorrect = 0, onlyACorrect = 0, onlyBCorrect = 0;
    // Over the rows where both fixed correctly; NaN without such rows (the interval also with
    // too few of them).
    double hodgesLehmannSeconds = 0;
    Interval hodgesLehmannCi95Seconds{};
};

struct RunEvidence {
    std::vector<DataSetEvidence> dataSets;
    std::vector<Comparison> comparisons;  // every pair a < b in legend order
    std::size_t comparedPValues = 0;      // the family Holm's adjustment ran over (2 per pair)
};

RunEvidence assess(const analysis::RunResults& results);

}  // namespace ambiscan::evidence
