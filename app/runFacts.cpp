#include "app/runFacts.hpp"

#include <utility>

namespace ambiscan::app {

RunFacts assessRun(evidence::RunEvidence evidence, std::string inputName,
                   std::string inputSha256) {
    return {std::move(evidence), std::move(inputName), std::move(inputSha256)};
}

}  // namespace ambiscan::app
