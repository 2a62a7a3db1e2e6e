#include "campaign/CompareVerdict.hpp"

#include <cmath>
#include <cstdio>

#include "report/ReportNumbers.hpp"

namespace ambiscan::campaign {

namespace {

constexpr double kSignificance = 0.05;
constexpr const char* kMinus = "\u2212";

std::string adjusted(double pHolm) {
    return report::pValue(pHolm) + " adjusted";
}

// A size in seconds as read: whole when whole, else one decimal, small ones to two digits.
std::string secondsText(double value) {
    char buffer[64];
    const double size = std::abs(value);
    const char* format = size == std::floor(size) ? "%.0f" : size < 0.05 ? "%.2g" : "%.1f";
    std::snprintf(buffer, sizeof buffer, format, size);
    return buffer;
}

// A shift of the other run against the baseline in words: "4 s sooner", "3 s later", "no shift".
std::string shiftText(double shift) {
    if (shift == 0) {
        return "no shift";
    }
    return secondsText(shift) + " s " + (shift < 0 ? "sooner" : "later");
}

// Its interval in words: "2–6 s sooner", "1 s sooner to 3 s later".
std::string shiftInterval(const evidence::Interval& ci) {
    if (!std::isfinite(ci.lower) || !std::isfinite(ci.upper)) {
        return "too few correct fixes to bound it";
    }
    if (ci.lower == ci.upper) {
        return "95 % interval " + shiftText(ci.lower) + " at both bounds";
    }
    if (ci.upper <= 0 && ci.lower < 0) {
        return "95 % interval " + secondsText(ci.upper) + "–" + secondsText(ci.lower) + " s sooner";
    }
    if (ci.lower >= 0 && ci.upper > 0) {
        return "95 % interval " + secondsText(ci.lower) + "–" + secondsText(ci.upper) + " s later";
    }
    return "95 % interval " + secondsText(ci.lower) + " s sooner to " + secondsText(ci.upper) +
           " s later";
}

// Points with their sign: "+0.3", "−1.1".
std::string points(double value) {
    std::string text = report::fixed(std::abs(value), 1);
    if (text == "0.0") {
        return text;
    }
    return (value < 0 ? kMinus : "+") + text;
}

std::string pointsInterval(const evidence::Interval& ci) {
    return points(ci.lower) + " to " + points(ci.upper) + " points";
}

std::string timeClause(const ReceiverComparison& c, const std::string& subject) {
    const TimeComparison& t = c.time;
    std::string effect;
    if (std::isfinite(t.shift.estimate)) {
        effect = "when fixed correctly " + shiftText(t.shift.estimate) + " (" +
                 shiftInterval(t.shift.ci95) + ")";
    } else {
        effect = "no shift can be given: " +
                 std::string(c.correctFix.count == 0 ? "this run" : "the baseline") +
                 " has no correct fix";
    }
    const std::string rates = "correct fixes in " + report::fixed(c.correctFix.percent, 1) +
                              " % of attempts against " +
                              report::fixed(c.correctFix.baselinePercent, 1) + " %";
    if (t.pHolm < kSignificance && t.test.bLater != 0) {
        return subject + " gets a correct fix " + (t.test.bLater < 0 ? "sooner" : "later") +
               " than the baseline (" + adjusted(t.pHolm) + "): " + effect + "; " + rates;
    }
    return subject + ": no significant difference from the baseline in time to a correct fix (" +
           adjusted(t.pHolm) + "): " + effect + "; " + rates;
}

std::string reliabilityClause(const ReceiverComparison& c) {
    const RateComparison& r = c.reliability;
    const std::string numbers = points(r.differencePercent) + " points (" +
                                report::fixed(r.percent, 1) + " % against " +
                                report::fixed(r.baselinePercent, 1) + " %), 95 % interval " +
                                pointsInterval(r.differenceCi95);
    if (r.pHolm < kSignificance && r.differencePercent != 0) {
        return std::string("reliability ") + (r.differencePercent < 0 ? "lower" : "higher") +
               " than the baseline: " + numbers + ", " + adjusted(r.pHolm);
    }
    return "no significant difference in reliability: " + numbers + ", " + adjusted(r.pHolm);
}

}  // namespace

std::string compareVerdict(const ReceiverComparison& comparison, const Campaign& campaign) {
    const RunRecord& run = campaign.runs[comparison.run];
    const std::string subject = run.label + " " + comparison.legendInRun;
    return timeClause(comparison, subject) + "; " + reliabilityClause(comparison) + ".";
}

}  // namespace ambiscan::campaign
