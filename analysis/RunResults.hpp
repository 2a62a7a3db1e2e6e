#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/DataSetStatistics.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// What the analysis hands on once a run is done, for the statistics and reports built on it.
// The columns share the elements of the records read (no copy of a million rows).
struct DataSetResults {
    std::string name;
    Matrix times;                // seconds to fix, one per attempt
    Matrix east, north, height;  // metres, one per attempt
    DataSetStatistics stats;     // as stats.csv has them
};

struct RunResults {
    std::string title;
    Matrix startTimes;                     // GPS seconds, corrected for day and week roll-overs
    double firstStart = 0, lastStart = 0;  // earliest and latest corrected start, GPS seconds
    double hours = 0;                      // run length, as stats.csv has it
    std::vector<DataSetResults> dataSets;
};

}  // namespace ambiscan::analysis
