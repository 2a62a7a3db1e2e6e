#include "app/runFacts.hpp"

#include "report/FileDigest.hpp"

namespace ambiscan::app {

RunFacts assessRun(const analysis::RunResults& results, const std::filesystem::path& inputFile) {
    return {evidence::assess(results), inputFile.filename().string(), report::sha256Hex(inputFile)};
}

}  // namespace ambiscan::app
