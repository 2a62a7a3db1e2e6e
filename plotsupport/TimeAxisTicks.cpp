#include "plotsupport/TimeAxisTicks.hpp"

#include <cmath>
#include <cstdio>
#include <string>

namespace ambiscan::plotsupport {

namespace {

constexpr double kMinute = 60;
constexpr double kHour = 3600;
constexpr double kDay = 86400;
constexpr double kWeek = 604800;
constexpr double kCountableDays = 9.2e18;  // a little below 2^63

// Remainder with the sign of the divisor, so that times before zero still fall on the grid.
double floorMod(double a, double b) {
    return a - std::floor(a / b) * b;
}

std::string format(const char* pattern, long long a, long long b, long long c, long long d = 0) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c, d);
    return buffer;
}

std::string timeOfDayLabel(double tick, bool first, bool withSeconds, double localOffset) {
    double timeDay = tick + kHour * localOffset;
    if (timeDay < 0) {
        // Before the start of the week: the last day of the previous week.
        timeDay += kWeek;
    }
    // Days beyond what an integer counts (times at the edges of a double) are taken within their
    // week, exactly as fmod gives it; converting them whole would be undefined.
    if (!(std::fabs(timeDay) < kCountableDays * kDay)) {
        timeDay = std::fmod(timeDay, kWeek);
        timeDay += timeDay < 0 ? kWeek : 0;
    }
    auto day = static_cast<long long>(std::trunc(timeDay / kDay));
    timeDay -= static_cast<double>(day) * kDay;
    const auto hours = static_cast<long long>(std::trunc(timeDay / kHour));
    timeDay -= static_cast<double>(hours) * kHour;
    const auto minutes = static_cast<long long>(std::trunc(timeDay / kMinute));
    const auto seconds =
        static_cast<long long>(std::trunc(timeDay - static_cast<double>(minutes) * kMinute));
    if (!first) {
        return withSeconds ? format("%02lld:%02lld:%02lld", hours, minutes, seconds)
                           : format("%02lld:%02lld", hours, minutes, 0);
    }
    if (day > 6) {
        // A run that crossed the end of the week.
        day = 0;
    }
    return withSeconds ? format("Day%lld  %02lld:%02lld:%02lld", day, hours, minutes, seconds)
                       : format("Day%lld  %02lld:%02lld", day, hours, minutes);
}

// xMin, xMin + xStep, ... up to xMax. A step that does not move forward gives no ticks rather than
// a list running backwards.
Matrix tickRange(double xMin, double xStep, double xMax) {
    return xStep > 0 ? Matrix::range(xMin, xStep, xMax) : Matrix(1, 0);
}

}  // namespace

TimeAxisTicks timeAxisTicks(const std::array<double, 2>& limits, double divisions,
                            bool plainSeconds, double localOffset) {
    double xMin = std::ceil(limits[0]);
    const double xMax = std::floor(limits[1]);
    double xStep = std::floor((xMax - xMin) / divisions);
    if (xStep == 0) {
        xStep = 1;
    }
    if (plainSeconds) {
        const Matrix ticks = tickRange(xMin, xStep, xMax);
        std::string text;
        for (double t : ticks) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.0f|", t);
            text += buffer;
        }
        if (!text.empty()) {
            text.pop_back();
        }
        return TimeAxisTicks{ticks, Value{text}};
    }
    if (xMax - xMin >= kHour) {
        const double startSeconds = floorMod(xMin, kMinute);
        if (startSeconds > 0) {
            xMin = xMin - startSeconds + kMinute;
        }
        xStep -= floorMod(xStep, kMinute);
        // More than 60 divisions of an hour or more would leave no step at all: ticks every
        // minute are the finest whole-minute grid.
        if (xStep == 0) {
            xStep = kMinute;
        }
    }
    const Matrix ticks = tickRange(xMin, xStep, xMax);
    bool withSeconds = false;
    for (double t : ticks) {
        if (floorMod(t, kMinute) != 0) {
            withSeconds = true;
        }
    }
    CellRow labels;
    for (std::size_t k = 0; k < ticks.numel(); ++k) {
        labels.push_back(timeOfDayLabel(ticks[k], k == 0, withSeconds, localOffset));
    }
    return TimeAxisTicks{ticks, Value{labels}};
}

}  // namespace ambiscan::plotsupport
