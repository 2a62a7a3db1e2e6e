// Fuzz target: reading inits.txt (number scanner and record layout).
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure = ambiscan::fuzz::checkReadInits(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "readInits: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
