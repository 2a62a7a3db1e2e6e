#pragma once

#include <string>

#include "evidence/Evidence.hpp"

// Numbers as the report shows them: rounded for reading (stats.csv and summary.json keep full
// precision). A value that is not defined shows as "—".
namespace ambiscan::report {

// `value` with `decimals` digits after the point, then " " and `unit` when one is given.
std::string fixed(double value, int decimals, const std::string& unit = "");

// "97.1–99.8 %"; a missing bound gives "≥ 30 s" or "≤ 41 s", both missing "—".
std::string interval(const evidence::Interval& range, int decimals, const std::string& unit);

// A p-value as the verdicts quote it: "p < 0.001" or "p = 0.38", with one more digit where
// rounding would put a value under 0.05 on the other side of it.
std::string pValue(double p);

// A GPS time as the time axes show it, to the second: "Day4 20:00:02" (day of the week).
std::string gpsDayAndTime(double seconds);

}  // namespace ambiscan::report
