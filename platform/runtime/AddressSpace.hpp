#pragma once

#include <cstddef>

namespace ambiscan::runtime {

// Whether `bytes` more of address space can be had now, asked of the system by taking them
// and giving them back (nothing is touched). Under a limit (ulimit -v) this tells a run before
// its first output whether it can finish; without one it is always so.
bool hasAddressSpaceFor(std::size_t bytes);

}  // namespace ambiscan::runtime
