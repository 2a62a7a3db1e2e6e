#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/DataSetStatistics.hpp"
#include "analysis/positionErrors.hpp"
#include "analysis/timeOfDay.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// What the analysis hands on once a run is done, for the figures, the statistics and reports
// built on it. The columns share the elements of the records read (no copy of a million rows).
struct DataSetResults {
    std::string name;
    Matrix times;                // seconds to fix, one per attempt
    Matrix east, north, height;  // metres, one per attempt
    DataSetStatistics stats;     // as stats.csv has them
    Matrix CDF;                  // 501 percentages of all attempts, element k for second k
    ErrorStatistics allErrors;   // over every attempt (stats holds the good ones' when any are bad)
    std::vector<std::size_t> badRows;  // 0-based, ascending
    // The console's bad-init list: its heading and one line per bad init; empty when none.
    std::string badInitList;
};

struct RunResults {
    std::string title;
    Matrix startTimes;                     // GPS seconds, corrected for day and week roll-overs
    double firstStart = 0, lastStart = 0;  // earliest and latest corrected start, GPS seconds
    double hours = 0;                      // run length, as stats.csv has it
    std::vector<DataSetResults> dataSets;
    double numInits = 0;      // attempts (records)
    std::string TitleString;  // ": <count> inits; <hours> Hours", after the title in figures
    std::size_t MaxLength = 0;
    TimeAxis axis;  // of the time-of-day and position figures; says whether records are in order

    // One line of stats.csv per data set, in legend order.
    RunStatistics statistics() const {
        RunStatistics stats;
        for (const DataSetResults& d : dataSets) {
            stats.push_back(d.stats);
        }
        return stats;
    }
};

}  // namespace ambiscan::analysis
