// Fuzz target: the analysis and the evidence on small inputs, without drawing or writing, so
// that many inputs a second reach the statistics.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzChecks.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure = ambiscan::fuzz::checkResults(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "results: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
