#pragma once

#include <string>
#include <vector>

namespace ambiscan::app {

// The whole of `text` as a number from `lowest` to `highest`, read by the rules of the input
// file (decimal, no hexadecimal, no blanks around it); raises a CommandLineError naming the
// option and `expected` otherwise.
double optionNumber(const std::string& option, const std::string& text, double lowest,
                    double highest, const std::string& expected);

// Raises a CommandLineError "-q takes no value" when an option that takes none is given one
// ("-q=1", "--quiet=yes"). Looks at the option words only: those before the first word that
// is not an option, or "--", passing over the values of the options that take one.
void refuseFlagValues(const std::vector<std::string>& arguments);

}  // namespace ambiscan::app
