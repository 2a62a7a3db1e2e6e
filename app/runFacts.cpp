#include "app/runFacts.hpp"

#include <utility>

#include "report/FileDigest.hpp"

namespace ambiscan::app {

RunFacts assessRun(evidence::RunEvidence evidence, const std::filesystem::path& inputFile) {
    return {std::move(evidence), inputFile.filename().string(), report::sha256Hex(inputFile)};
}

}  // namespace ambiscan::app
