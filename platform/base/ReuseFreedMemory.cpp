#include "platform/base/ReuseFreedMemory.hpp"

#include <malloc.h>

#include "platform/base/WorkerPool.hpp"

namespace ambiscan {

void reuseFreedMemory() {
    // Blocks above the mapping limit still go straight back (the input matrix of a large run);
    // the ones below it stay in the heap, whose top is not trimmed while the run goes on.
    constexpr int kMappedFrom = 32 * 1024 * 1024;
    constexpr int kTrimFrom = 512 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kMappedFrom);
    mallopt(M_TRIM_THRESHOLD, kTrimFrom);
    // As many heaps as threads that allocate at once: the main thread and the run's workers.
    mallopt(M_ARENA_MAX, static_cast<int>(1 + WorkerPool::coreCount()));
}

}  // namespace ambiscan
