#include "report/ReportNumbers.hpp"

#include <cmath>
#include <cstdio>

namespace ambiscan::report {

namespace {

constexpr const char* kUndefined = "—";
constexpr double kSignificance = 0.05;

std::string printed(const char* format, double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, decimals, value);
    return buffer;
}

std::string withUnit(std::string number, const std::string& unit) {
    return unit.empty() ? number : number + " " + unit;
}

}  // namespace

std::string fixed(double value, int decimals, const std::string& unit) {
    if (!std::isfinite(value)) {
        return kUndefined;
    }
    std::string text = printed("%.*f", value, decimals);
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') {
        text.erase(0, 1);  // "-0.000" reads as a sign where there is none
    }
    return withUnit(text, unit);
}

std::string interval(const evidence::Interval& range, int decimals, const std::string& unit) {
    const bool lower = std::isfinite(range.lower);
    const bool upper = std::isfinite(range.upper);
    if (lower && upper) {
        return withUnit(fixed(range.lower, decimals) + "–" + fixed(range.upper, decimals), unit);
    }
    if (lower) {
        return "≥ " + fixed(range.lower, decimals, unit);
    }
    if (upper) {
        return "≤ " + fixed(range.upper, decimals, unit);
    }
    return kUndefined;
}

std::string pValue(double p) {
    if (std::isnan(p)) {
        return "p not defined";
    }
    if (p < 0.001) {
        return "p < 0.001";
    }
    if (p >= 0.995) {
        return "p = 1";
    }
    // Two significant digits, more where fewer would round a significant p up to 0.05.
    int decimals = p < 0.01 ? 4 : p < 0.1 ? 3 : 2;
    while (p < kSignificance && decimals < 6 &&
           std::stod(printed("%.*f", p, decimals)) >= kSignificance) {
        ++decimals;
    }
    return "p = " + printed("%.*f", p, decimals);
}

std::string gpsDayAndTime(double seconds) {
    if (!std::isfinite(seconds)) {
        return kUndefined;
    }
    constexpr double kDay = 86400;
    constexpr double kWeek = 7 * kDay;
    double t = seconds < 0 ? seconds + kWeek : seconds;
    const auto day = static_cast<long long>(std::trunc(t / kDay));
    t -= static_cast<double>(day) * kDay;
    const auto hours = static_cast<long long>(std::trunc(t / 3600));
    t -= static_cast<double>(hours) * 3600;
    const auto minutes = static_cast<long long>(std::trunc(t / 60));
    const auto secs = static_cast<long long>(std::trunc(t - static_cast<double>(minutes) * 60));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Day%lld %02lld:%02lld:%02lld", day, hours, minutes, secs);
    return buffer;
}

}  // namespace ambiscan::report
