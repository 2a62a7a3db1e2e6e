#pragma once

#include <vector>

namespace ambiscan::campaign {

// Holm's step-down adjustment of p-values for the family they form: sorted ascending, the i-th
// (0-based) of m becomes max over j <= i of min(1, (m - j) p_(j)); returned in the given order.
std::vector<double> holmAdjusted(const std::vector<double>& p);

}  // namespace ambiscan::campaign
