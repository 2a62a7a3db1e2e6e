#include "platform/base/ReuseFreedMemory.hpp"

#include <malloc.h>

namespace ambiscan {

void reuseFreedMemory() {
    // Blocks above the mapping limit still go straight back (the input matrix of a large run);
    // the ones below it stay in the heap, whose top is not trimmed while the run goes on.
    constexpr int kMappedFrom = 32 * 1024 * 1024;
    constexpr int kTrimFrom = 512 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kMappedFrom);
    mallopt(M_TRIM_THRESHOLD, kTrimFrom);
    // As many heaps as threads that allocate at once: the main thread and the figure writer's
    // two drawing threads. Each new drawing thread would otherwise often get a heap of its own,
    // whose freed blocks no other thread reuses: a million-record run held 480 MB instead of
    // 355 MB.
    constexpr int kHeaps = 3;
    mallopt(M_ARENA_MAX, kHeaps);
}

}  // namespace ambiscan
