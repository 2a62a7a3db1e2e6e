#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "app/Options.hpp"

namespace ambiscan::app {

// A command line the program cannot take: an unknown option, a missing or bad option value.
// The message is the one line the user sees.
class CommandLineError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the options before the title; "--" ends them, and every word from the title on is a
// word of the run, whatever it starts with. Throws CommandLineError.
Options parseCommandLine(const std::vector<std::string>& arguments);

// The lines --help prints after the usage text.
const std::vector<std::string>& optionHelpLines();

}  // namespace ambiscan::app
