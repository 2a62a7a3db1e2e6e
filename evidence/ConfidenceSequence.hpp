#pragma once

#include <cstddef>

#include "evidence/Evidence.hpp"

namespace ambiscan::evidence {

// The 95 % confidence sequence for a share, `good` of `n`, as fractions: every p with
// B(good + 1, n - good + 1) / (p^good (1 - p)^(n - good)) < 20, the likelihood ratio of the
// uniform-prior mixture against p. Unlike a fixed-n interval it stays valid however often it is
// looked at while the attempts come in. [0, 1] without attempts.
Interval confidenceSequence95(std::size_t good, std::size_t n);

}  // namespace ambiscan::evidence
