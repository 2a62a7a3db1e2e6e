#pragma once

#include <string>

#include "evidence/Evidence.hpp"

namespace ambiscan::report {

// Adjusted p-values under this count as a significant difference.
inline constexpr double kSignificanceLevel = 0.05;

// Two plain sentences on a pair of receivers, names as given (not escaped): the time to a
// correct fix (the signed-rank test's direction and adjusted p, then the Hodges-Lehmann
// difference where both fixed correctly and the attempts only one of them fixed correctly),
// then reliability (the difference in points with its interval and the adjusted p), e.g.
// "RxA gets a correct fix sooner than RxB (p = 0.003, adjusted for 2 comparisons): when both
// fixed correctly RxA was 7 s sooner (95 % interval 5–9 s); only RxB missed a correct fix in
// 12 attempts, only RxA in 3. No significant difference in reliability: RxB −0.7 points against
// RxA, 95 % interval −2.9 to 1.4 (p = 0.38, adjusted for 2 comparisons)."
std::string verdictSentence(const evidence::Comparison& comparison,
                            const evidence::RunEvidence& evidence);

}  // namespace ambiscan::report
