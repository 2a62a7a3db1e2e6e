#include "evidence/CurveSecond.hpp"

#include <cmath>
#include <limits>

namespace ambiscan::evidence {

double curveSecond(double seconds) {
    constexpr double kLast = 500;
    if (!(seconds <= kLast + 0.5)) {
        return std::numeric_limits<double>::infinity();
    }
    if (seconds <= 0.5) {
        return 0;
    }
    // A first guess, then exact: t - 0.5 may round, s + 0.5 never does for s <= 500.
    double s = std::ceil(seconds - 0.5);
    while (s > 0 && seconds <= s - 0.5) {
        --s;
    }
    while (seconds > s + 0.5) {
        ++s;
    }
    return s;
}

}  // namespace ambiscan::evidence
