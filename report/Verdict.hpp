#pragma once

#include <string>
#include <vector>

#include "evidence/Evidence.hpp"

namespace ambiscan::report {

// p-values under this count as a significant difference.
inline constexpr double kSignificanceLevel = 0.05;

// Plain sentences for one pair of receivers, names as given (not escaped): first the time to
// fix, then reliability, e.g. "V1.00 fixes faster than V0.64 (median 9 s sooner, p < 0.001)."
std::vector<std::string> verdictSentences(const evidence::Comparison& comparison,
                                          const std::vector<evidence::DataSetEvidence>& dataSets);

}  // namespace ambiscan::report
