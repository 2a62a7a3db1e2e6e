// Fuzz target: reading files with a token (or a run of white space) of about 1 MiB or 64 MiB,
// across the edges of the reader's blocks.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure = ambiscan::fuzz::checkHugeToken(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "hugeToken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
