#include "app/runFacts.hpp"

#include <utility>

#include "report/FileDigest.hpp"

namespace ambiscan::app {

RunFacts assessRun(const analysis::RunResults& results, const std::filesystem::path& inputFile) {
    return {evidence::assess(results), inputFile.filename().string(), report::sha256Hex(inputFile)};
}

RunFacts assessRun(const analysis::RunResults& results, std::string inputName,
                   std::string inputSha256) {
    return {evidence::assess(results), std::move(inputName), std::move(inputSha256)};
}

}  // namespace ambiscan::app
