#pragma once

#include <string>
#include <vector>

#include "app/Options.hpp"
#include "platform/base/Console.hpp"

namespace ambiscan::app {

// The 20 lines of the usage text, each printed as it stands and followed by a line end.
const std::vector<std::string>& usageLines();

// The argument-count error: the line standard error gets for more than six words.
std::string argumentCountMessage();

// The run the options ask for, from the title and legends in `options.words`: the usage text
// for fewer than two words, the argument-count error for more than six; otherwise reads the
// input in records of 4N + 1 numbers for the N legends, runs the analysis once and writes every
// output. Errors are printed on console.err. Returns the exit status (exitStatus.hpp): a failed
// gate gives kExitGateFailed once every output is written.
int ambiscan(const Options& options, const Console& console);

}  // namespace ambiscan::app
