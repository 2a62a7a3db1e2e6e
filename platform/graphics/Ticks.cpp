#include "platform/graphics/Ticks.hpp"

#include <cmath>
#include <cstdio>

namespace ambiscan::graphics {

namespace {

double roundStep(double span, int maxIntervals) {
    const double raw = span / static_cast<double>(maxIntervals);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * power >= raw * (1 - 1e-9)) {
            return m * power;
        }
    }
    return 10 * power;
}

}  // namespace

TickSet roundTicks(double lo, double hi, bool widen, int maxIntervals) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) {
        lo = 0;
        hi = 1;
    }
    if (hi == lo) {
        // One value: a range of one unit (or a tenth of the value) around it.
        const double half = lo == 0 ? 1.0 : std::max(std::abs(lo) * 0.1, 1e-300);
        lo -= half;
        hi += half;
    }
    TickSet set;
    set.step = roundStep(hi - lo, maxIntervals);
    const double step = set.step;
    const double tolerance = step * 1e-9;
    double first = std::floor(lo / step) * step;
    double last = std::ceil(hi / step) * step;
    if (!widen) {
        first = std::ceil((lo - tolerance) / step) * step;
        last = std::floor((hi + tolerance) / step) * step;
    } else {
        if (lo - first > step - tolerance)
            first += step;
        if (last - hi > step - tolerance)
            last -= step;
    }
    const auto count = static_cast<long>(std::llround((last - first) / step));
    for (long k = 0; k <= count; ++k) {
        double t = first + static_cast<double>(k) * step;
        if (std::abs(t) < tolerance) {
            t = 0;  // no "-0" label
        }
        set.ticks.push_back(t);
    }
    set.limits = widen ? std::array<double, 2>{first, last} : std::array<double, 2>{lo, hi};
    return set;
}

std::string tickLabel(double value, double step) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NaN" : (value > 0 ? "Inf" : "-Inf");
    }
    const int decimals =
        step > 0 ? std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9))) : 0;
    char buffer[64];
    if (decimals > 12 || std::abs(value) >= 1e15) {
        std::snprintf(buffer, sizeof buffer, "%g", value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    }
    std::string text = buffer;
    if (text == "-0" || text.find_first_not_of("-0.") == std::string::npos) {
        if (text.front() == '-')
            text.erase(0, 1);
    }
    return text;
}

}  // namespace ambiscan::graphics
