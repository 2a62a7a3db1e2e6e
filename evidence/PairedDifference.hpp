#pragma once

#include <cstddef>

#include "evidence/Evidence.hpp"

namespace ambiscan::evidence {

// Wilson's score interval (95 %, no continuity correction) of successes / n, as fractions;
// both NaN without attempts.
Interval wilson95(std::size_t successes, std::size_t n);

// The 2 x 2 table of paired outcomes of receivers a and b.
struct PairedTable {
    std::size_t both = 0, onlyA = 0, onlyB = 0, neither = 0;
};

// 95 % interval of the difference of the paired proportions, b's minus a's (fractions), by
// Newcombe's method 10 (1998): the Wilson limits of both proportions combined through the phi
// coefficient of the table, its numerator ad - bc lowered by n/2 when above n/2, set to 0 when
// between 0 and n/2; phi is 0 when a margin is 0. Both NaN without rows.
Interval pairedDifference95(const PairedTable& table);

}  // namespace ambiscan::evidence
