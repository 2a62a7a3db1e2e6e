#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ambiscan::analysis {

// What a run learns about one data set; stats.csv writes one line of it per data set.
struct DataSetStatistics {
    std::string name;
    double Init90 = 0;      // seconds; NaN when the cumulative curve never reaches 90 %
    double InitMax = 0;     // seconds
    double InitAv = 0;      // seconds
    double InitMedian = 0;  // seconds
    double InitNum = 0;     // attempts (the same for every data set)
    double InitHours = 0;   // run length (the same for every data set)
    double PercentGood = 0;
    // Means and sample standard deviations of the errors, metres: over the good inits when the
    // data set has bad ones, else over all.
    double InitEMean = 0, InitESigma = 0;
    double InitNMean = 0, InitNSigma = 0;
    double InitUMean = 0, InitUSigma = 0;
};

using RunStatistics = std::vector<DataSetStatistics>;

}  // namespace ambiscan::analysis
