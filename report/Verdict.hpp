#pragma once

#include <string>
#include <vector>

#include "evidence/Evidence.hpp"

namespace ambiscan::report {

// p-values under this count as a significant difference.
inline constexpr double kSignificanceLevel = 0.05;

// One plain sentence on a pair of receivers, names as given (not escaped): the time to fix,
// then reliability, e.g. "V1.00 fixes faster than V0.64 (median 9 s sooner, p < 0.001); no
// significant difference in reliability (p = 0.38)."
std::string verdictSentence(const evidence::Comparison& comparison,
                            const std::vector<evidence::DataSetEvidence>& dataSets);

}  // namespace ambiscan::report
