// Fuzz target: the whole analysis on small inputs, figures rendered into a throw-away folder.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzChecks.hpp"
#include "platform/render/Print.hpp"

namespace {

// One scratch folder per fuzzing process, removed when it ends.
struct ScratchFolder {
    std::filesystem::path path;
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ambiscan-fuzz-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

// The font library's caches live until the process ends; releasing them before the final leak
// check keeps its report about this program.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit(ambiscan::render::releaseRenderResources);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFolder folder;
    const std::string failure = ambiscan::fuzz::checkAnalysis(data, size, folder.path);
    if (!failure.empty()) {
        std::fprintf(stderr, "analysis: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
