#include "report/Verdict.hpp"

#include <cmath>
#include <cstdio>

#include "report/ReportNumbers.hpp"

namespace ambiscan::report {

namespace {

bool significant(double p) {
    return p < kSignificanceLevel;
}

// Seconds as a median of whole-second differences can be: "9" or "9.5".
std::string seconds(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, value == std::floor(value) ? "%.0f" : "%.1f", value);
    return buffer;
}

std::string timeClause(const evidence::Comparison& c, const std::string& a, const std::string& b) {
    const std::string p = pValue(c.wilcoxonP);
    if (!significant(c.wilcoxonP)) {
        return a + " and " + b + ": no significant difference in time to fix (" + p + ")";
    }
    // The median difference is t_b - t_a: positive when b is slower.
    const double d = c.medianDifferenceSeconds;
    if (d > 0) {
        return a + " fixes faster than " + b + " (median " + seconds(d) + " s sooner, " + p + ")";
    }
    if (d < 0) {
        return b + " fixes faster than " + a + " (median " + seconds(-d) + " s sooner, " + p + ")";
    }
    return a + " and " + b +
           ": the times to fix differ significantly, with a median difference "
           "of 0 s (" +
           p + ")";
}

std::string reliabilityClause(const evidence::Comparison& c, const evidence::DataSetEvidence& a,
                              const evidence::DataSetEvidence& b) {
    const std::string p = pValue(c.mcnemarExactP);
    if (!significant(c.mcnemarExactP) || c.aGoodBBad == c.aBadBGood) {
        return "no significant difference in reliability (" + p + ")";
    }
    const bool aBetter = c.aGoodBBad > c.aBadBGood;
    const auto& better = aBetter ? a : b;
    const auto& worse = aBetter ? b : a;
    return better.name + " is more reliable than " + worse.name + " (" +
           fixed(better.reliabilityPercent, 1, "%") + " against " +
           fixed(worse.reliabilityPercent, 1, "%") + " good fixes; good with only one of them: " +
           std::to_string(aBetter ? c.aGoodBBad : c.aBadBGood) + " against " +
           std::to_string(aBetter ? c.aBadBGood : c.aGoodBBad) + " attempts, " + p + ")";
}

}  // namespace

std::string verdictSentence(const evidence::Comparison& comparison,
                            const std::vector<evidence::DataSetEvidence>& dataSets) {
    const auto& a = dataSets.at(comparison.a);
    const auto& b = dataSets.at(comparison.b);
    return timeClause(comparison, a.name, b.name) + "; " + reliabilityClause(comparison, a, b) +
           ".";
}

}  // namespace ambiscan::report
