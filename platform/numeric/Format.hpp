#pragma once

#include <string>
#include <vector>

#include "platform/numeric/Value.hpp"

namespace ambiscan {

// sprintf over a format with %s %d %f %g %e %.Nf %0Nd %Nd ... conversions, "%%" and the escape
// "\n" (the two characters backslash and n) turned into a line end. The format is used again
// while values remain. A whole-number value under %d prints as an integer; a value that is not
// whole (or NaN, Inf) under %d prints as %e would, as the array language does, except that
// NaN and Inf print "NaN", "Inf", "-Inf" under any numeric conversion.
std::string formatText(const std::string& format, const std::vector<Value>& values = {});
std::string formatNumber(const std::string& format, double value);

// num2str(x): whole numbers without a decimal point; others with "%.Ng", N = max(floor(log10(|x|))
// + 5, 5), at most 17 (345600.5 -> "345600.5", 0.123456 -> "0.12346"); "NaN", "Inf", "-Inf".
std::string num2str(double x);
// num2str(x, precision): "%.<precision>g" (num2str(0.01234, 2) -> "0.012").
std::string num2str(double x, int precision);

}  // namespace ambiscan
