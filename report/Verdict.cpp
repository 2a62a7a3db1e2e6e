#include "report/Verdict.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "report/ReportNumbers.hpp"

namespace ambiscan::report {

namespace {

constexpr const char* kMinus = "−";

std::string printed(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// A size (at least 0) as the sentences say it: whole numbers bare, else one decimal, two
// significant digits for what one decimal would show as 0.
std::string size(double v) {
    if (v == std::floor(v)) {
        return printed("%.0f", v);
    }
    if (v < 0.05) {
        return printed("%.2g", v);
    }
    std::string text = printed("%.1f", v);
    if (text.ends_with(".0")) {
        text.resize(text.size() - 2);
    }
    return text;
}

// Decimals that show an interval of this width to about two digits: 1 for a few points,
// more for the narrow intervals of long runs.
int decimalsFor(const evidence::Interval& i) {
    const double width = i.upper - i.lower;
    if (!(width > 0) || !std::isfinite(width)) {
        return 1;
    }
    return static_cast<int>(std::clamp(1 - std::floor(std::log10(width)), 1.0, 6.0));
}

// Points with a sign: whole numbers bare, else with `decimals`; what rounds to nothing is 0.
std::string signedPoints(double v, int decimals, bool plus) {
    if (std::isnan(v)) {
        return "not defined";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", v == std::floor(v) ? 0 : decimals, std::abs(v));
    const std::string magnitude = buffer;
    if (magnitude.find_first_not_of("0.") == std::string::npos) {
        return "0";
    }
    return (v < 0 ? kMinus : plus ? "+" : "") + magnitude;
}

std::string adjusted(double p, std::size_t family) {
    return pValue(p) + ", adjusted for " + std::to_string(family) +
           (family == 1 ? " comparison" : " comparisons");
}

std::string attempts(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " attempt" : " attempts");
}

// How much sooner than the other (negative: later), in words.
std::string sooner(double seconds) {
    if (seconds == 0) {
        return "0 s";
    }
    return size(std::abs(seconds)) + (seconds > 0 ? " s sooner" : " s later");
}

std::string soonerInterval(double lower, double upper) {
    if (std::isnan(lower) || std::isnan(upper)) {
        return "too few attempts for a 95 % interval";
    }
    if (lower > 0 || upper < 0) {
        const double from = std::min(std::abs(lower), std::abs(upper));
        const double to = std::max(std::abs(lower), std::abs(upper));
        // Bounds that print alike (decimal times a rounding apart) are given once.
        return "95 % interval " + size(from) + (size(from) == size(to) ? "" : "–" + size(to)) +
               " s";
    }
    if (lower == 0 && upper == 0) {
        return "95 % interval 0 s";
    }
    return "95 % interval from " + sooner(lower) + " to " + sooner(upper);
}

// The effect where both fixed correctly, said of `first` (a when `firstIsA`), and the attempts
// where only one did.
std::string effect(const evidence::Comparison& c, const std::string& first,
                   const std::string& second, bool firstIsA) {
    std::string text;
    if (c.bothCorrect == 0 || std::isnan(c.hodgesLehmannSeconds)) {
        text = "no attempt gave both a correct fix";
    } else {
        // d = T_b - T_a: positive when a was sooner.
        const double sign = firstIsA ? 1 : -1;
        const double estimate = sign * c.hodgesLehmannSeconds;
        const double lower =
            sign * (firstIsA ? c.hodgesLehmannCi95Seconds.lower : c.hodgesLehmannCi95Seconds.upper);
        const double upper =
            sign * (firstIsA ? c.hodgesLehmannCi95Seconds.upper : c.hodgesLehmannCi95Seconds.lower);
        text = "when both fixed correctly ";
        text += estimate == 0 ? "neither was sooner (estimate 0 s"
                              : first + " was " + sooner(estimate) + " (";
        text += (estimate == 0 ? ", " : "") + soonerInterval(lower, upper) + ")";
    }
    // Who alone missed a correct fix, the larger count first.
    const std::size_t aMissed = c.onlyBCorrect;
    const std::size_t bMissed = c.onlyACorrect;
    if (aMissed + bMissed == 0) {
        return text + "; neither missed a correct fix where the other had one";
    }
    const bool aFirst = aMissed > bMissed || (aMissed == bMissed && !firstIsA);
    const std::string& a = firstIsA ? first : second;
    const std::string& b = firstIsA ? second : first;
    return text + "; only " + (aFirst ? a : b) + " missed a correct fix in " +
           attempts(aFirst ? aMissed : bMissed) + ", only " + (aFirst ? b : a) + " in " +
           std::to_string(aFirst ? bMissed : aMissed);
}

std::string timeSentence(const evidence::Comparison& c, const std::string& a, const std::string& b,
                         std::size_t family) {
    const std::string p = adjusted(c.timePHolm, family);
    if (c.timePHolm < kSignificanceLevel && c.bSlower != 0) {
        const bool aSooner = c.bSlower > 0;
        const std::string& faster = aSooner ? a : b;
        const std::string& slower = aSooner ? b : a;
        return faster + " gets a correct fix sooner than " + slower + " (" + p +
               "): " + effect(c, faster, slower, aSooner) + ".";
    }
    // Said of the one that was sooner where both fixed correctly.
    const bool aFirst = !(c.hodgesLehmannSeconds < 0);
    return a + " and " + b + ": no significant difference in time to a correct fix (" + p +
           "): " + effect(c, aFirst ? a : b, aFirst ? b : a, aFirst) + ".";
}

std::string reliabilitySentence(const evidence::Comparison& c, const evidence::DataSetEvidence& a,
                                const evidence::DataSetEvidence& b, std::size_t family) {
    const std::string p = adjusted(c.reliabilityPHolm, family);
    const evidence::Interval& ci = c.differenceCi95Percent;
    if (c.reliabilityPHolm < kSignificanceLevel && c.aGoodBBad != c.aBadBGood) {
        // The difference is b's minus a's: turned round when a is the better one.
        const bool aBetter = c.aGoodBBad > c.aBadBGood;
        const auto& better = aBetter ? a : b;
        const auto& worse = aBetter ? b : a;
        const double sign = aBetter ? -1 : 1;
        const double lower = sign * (aBetter ? ci.upper : ci.lower);
        const double upper = sign * (aBetter ? ci.lower : ci.upper);
        const int decimals = decimalsFor(ci);
        return better.name + " is more reliable than " + worse.name + ": " +
               signedPoints(sign * c.differencePercent, decimals, true) +
               " points, 95 % interval " + signedPoints(lower, decimals, false) + " to " +
               signedPoints(upper, decimals, false) + " (" +
               fixed(better.reliabilityPercent, 1, "%") + " against " +
               fixed(worse.reliabilityPercent, 1, "%") + " good fixes; " + p + ").";
    }
    const int decimals = decimalsFor(ci);
    return "No significant difference in reliability: " + b.name + " " +
           signedPoints(c.differencePercent, decimals, true) + " points against " + a.name +
           ", 95 % interval " + signedPoints(ci.lower, decimals, false) + " to " +
           signedPoints(ci.upper, decimals, false) + " (" + p + ").";
}

}  // namespace

std::string verdictSentence(const evidence::Comparison& comparison,
                            const evidence::RunEvidence& evidence) {
    const auto& a = evidence.dataSets.at(comparison.a);
    const auto& b = evidence.dataSets.at(comparison.b);
    return timeSentence(comparison, a.name, b.name, evidence.comparedPValues) + " " +
           reliabilitySentence(comparison, a, b, evidence.comparedPValues);
}

}  // namespace ambiscan::report
