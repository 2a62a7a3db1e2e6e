#pragma once

#include <vector>

#include "platform/runtime/Registry.hpp"

namespace ambiscan::app {

// The program's twelve functions with their declared input and output counts, in the order the
// runtime is handed them.
runtime::FunctionRegistry programFunctions();

// The start-up and shut-down list: the two runtimes, then one pair per function.
std::vector<runtime::LifecyclePair> lifecycle(const runtime::FunctionRegistry& functions);

}  // namespace ambiscan::app
