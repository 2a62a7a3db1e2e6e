#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "campaign/TimeSample.hpp"

namespace ambiscan::campaign {

// A sample of times to a correct fix from the plain values (+Inf: no correct fix).
inline TimeSample sampleOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    TimeSample s;
    for (const double t : times) {
        if (std::isinf(t)) {
            ++s.noCorrectFix;
        } else if (!s.finite.empty() && s.finite.back().first == t) {
            ++s.finite.back().second;
        } else {
            s.finite.emplace_back(t, 1);
        }
    }
    return s;
}

}  // namespace ambiscan::campaign
