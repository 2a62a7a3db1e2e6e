#pragma once

#include "app/Options.hpp"
#include "platform/base/Console.hpp"

namespace ambiscan::app {

// `ambiscan --compare`: the comparison of runs made before, its refusals and failures as one
// line on the error stream. Returns the exit status: 0, 1 when it failed or refused (nothing
// written), 3 with --fail-on-regression when a receiver is significantly worse than the baseline.
int runComparison(const Options& options, Console console);

}  // namespace ambiscan::app
