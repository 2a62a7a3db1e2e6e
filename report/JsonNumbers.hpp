#pragma once

#include <cmath>
#include <nlohmann/json.hpp>

#include "evidence/Evidence.hpp"

namespace ambiscan::report {

// A number as the JSON files write it: null when it is not finite (not defined).
inline nlohmann::ordered_json jsonNumber(double v) {
    return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json(nullptr);
}

// An interval as [lower, upper], a side that is not finite null.
inline nlohmann::ordered_json jsonInterval(const evidence::Interval& i) {
    return nlohmann::ordered_json::array({jsonNumber(i.lower), jsonNumber(i.upper)});
}

}  // namespace ambiscan::report
