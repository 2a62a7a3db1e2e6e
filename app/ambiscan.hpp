#pragma once

#include <vector>

#include "app/Options.hpp"
#include "platform/numeric/Value.hpp"
#include "platform/runtime/Registry.hpp"

namespace ambiscan::app {

// The 20 lines of the usage text, each printed as it stands and followed by a line end.
const std::vector<std::string>& usageLines();

// ambiscan(titleString, String1, ..., String5): prints the usage text for fewer than two words;
// otherwise reads the input (inits.txt) in records of 4N + 1 numbers for the N legends and runs
// the analysis once, as the options ask. A failed gate ends the run with kExitGateFailed once
// every output is written.
void ambiscan(runtime::CallContext& context, const std::vector<Value>& words,
              const Options& options = {});

}  // namespace ambiscan::app
