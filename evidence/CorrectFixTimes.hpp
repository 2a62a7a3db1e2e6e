#pragma once

#include <vector>

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::evidence {

// Times to a correct fix: every bad fix counts as never fixed, on the grid of the run's own
// cumulative curve (1-second bins up to 500 s, percentages of all n attempts).
struct CorrectFixTimes {
    double p90;               // first whole second where 90 % are correctly fixed, or NaN
    double within500Percent;  // percentage correctly fixed within 500 s
};
CorrectFixTimes correctFixTimes(const Matrix& times, const std::vector<bool>& good);

// The time to a correct fix T of one attempt: its time t when the fix is good (the run's
// bad-fix rule) and t <= 500.5 s, compared exactly in double; 0 for -Inf (fixed at once);
// +Inf ("no correct fix within 500 s") otherwise, a NaN or +Inf time included.
double timeToCorrectFix(double seconds, bool good);

// T of every attempt, in row order.
std::vector<double> timesToCorrectFix(const Matrix& times, const std::vector<bool>& good);

}  // namespace ambiscan::evidence
