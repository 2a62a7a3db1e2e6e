#pragma once

#include <cstddef>
#include <vector>

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::evidence {

// The nearest-rank percentile (0 < percent <= 100): the ceil(percent * m / 100)-th smallest of
// the m values. NaN without values or when any is NaN. Reorders `values` (selection, not a sort).
double nearestRank(std::vector<double>& values, std::size_t percent);

// Over the good fixes only, metres; NaN without good fixes.
struct AccuracyPercentiles {
    double horizontalP50, horizontalP95, verticalAbsP95;
};
AccuracyPercentiles accuracyPercentiles(const Matrix& east, const Matrix& north,
                                        const Matrix& height, const std::vector<bool>& good);

}  // namespace ambiscan::evidence
