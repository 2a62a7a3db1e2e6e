#pragma once

#include <vector>

namespace ambiscan::evidence {

// Holm's step-down adjustment of a family of p-values, in their order: the i-th smallest
// becomes max over j <= i of min(1, (K - j + 1) p_(j)), K of them in all. NaN stays NaN.
std::vector<double> holmAdjusted(const std::vector<double>& p);

}  // namespace ambiscan::evidence
