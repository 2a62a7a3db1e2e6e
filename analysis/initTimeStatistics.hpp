#pragma once

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// The time-to-initialise figures of one data set.
struct InitTimeSummary {
    Matrix CDF;                // 501 percentages of all attempts, element k for second k
    double ninetyPercentile;   // first whole second where CDF reaches 90, or NaN
    double max, mean, median;  // over every attempt, also those beyond 500 s
};

// Counts the times into 1-second bins centred on 0..501 and drops the last bin (every time
// beyond 500.5 s), so such attempts only weigh in the divisor `numInits`.
InitTimeSummary initTimeSummary(const Matrix& times, double numInits);

}  // namespace ambiscan::analysis
