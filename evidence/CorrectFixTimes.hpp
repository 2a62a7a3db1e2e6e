#pragma once

#include <vector>

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::evidence {

// The outcome a receiver test counts: a correct fix is a good fix (the run's rule) whose time t
// satisfies t <= 500.5 s, compared exactly in double (NaN and +Inf are not fixed). Its time is
// t (0 for -Inf, "fixed at once"); every other attempt has +Inf, "no correct fix within 500 s".
double timeToCorrectFix(double seconds, bool good);
// The same for every attempt of a data set, in row order.
std::vector<double> timesToCorrectFix(const Matrix& times, const std::vector<bool>& good);

// Times to a correct fix: every bad fix counts as never fixed, on the grid of the run's own
// cumulative curve (1-second bins up to 500 s, percentages of all n attempts).
struct CorrectFixTimes {
    double p90;               // first whole second where 90 % are correctly fixed, or NaN
    double within500Percent;  // percentage correctly fixed within 500 s
};
CorrectFixTimes correctFixTimes(const Matrix& times, const std::vector<bool>& good);

}  // namespace ambiscan::evidence
