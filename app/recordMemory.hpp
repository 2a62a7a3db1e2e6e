#pragma once

#include <cstddef>
#include <new>
#include <string>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::app {

// Runs `work`; when memory runs out, the run ends with "not enough memory for N records"
// (N from `records()`, asked only then), which tells the user what was too large.
template <class Records, class Work>
void withRecordMemory(Records records, Work work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        const std::size_t n = records();
        throw RuntimeError("not enough memory for " + std::to_string(n) +
                           (n == 1 ? " record" : " records"));
    }
}

}  // namespace ambiscan::app
