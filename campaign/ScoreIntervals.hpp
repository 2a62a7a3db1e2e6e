#pragma once

#include <cstddef>

#include "evidence/Evidence.hpp"

namespace ambiscan::campaign {

// Wilson's score 95 % interval of the share k / n, as fractions; NaN without attempts.
evidence::Interval wilson95(std::size_t k, std::size_t n);

// The 95 % interval of the difference k2/n2 - k1/n1 of two independent proportions by
// Newcombe's hybrid score method (method 10 of Newcombe 1998, "Interval estimation for the
// difference between independent proportions"): from the Wilson limits l, u of each,
// [d - sqrt((p2 - l2)^2 + (u1 - p1)^2), d + sqrt((u2 - p2)^2 + (p1 - l1)^2)]. As fractions.
evidence::Interval newcombeDifference95(std::size_t k1, std::size_t n1, std::size_t k2,
                                        std::size_t n2);

}  // namespace ambiscan::campaign
