#include "platform/runtime/AddressSpace.hpp"

#include <sys/mman.h>
#include <sys/resource.h>

namespace ambiscan::runtime {

bool hasAddressSpaceFor(std::size_t bytes) {
    struct rlimit limit {};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur == RLIM_INFINITY) {
        return true;
    }
    void* taken =
        mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (taken == MAP_FAILED) {
        return false;
    }
    munmap(taken, bytes);
    return true;
}

}  // namespace ambiscan::runtime
