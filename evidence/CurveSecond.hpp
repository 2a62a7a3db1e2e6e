#pragma once

namespace ambiscan::evidence {

// A time on the whole seconds of the run's cumulative curve: the smallest s in 0..500 with
// t <= s + 0.5, compared exactly in double; +Inf past 500.5 s and for NaN.
double curveSecond(double seconds);

}  // namespace ambiscan::evidence
