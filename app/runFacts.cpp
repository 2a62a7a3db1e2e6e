#include "app/runFacts.hpp"

#include <utility>

namespace ambiscan::app {

RunFacts assessRun(const analysis::RunResults& results, std::string inputName,
                   std::string inputSha256) {
    return {evidence::assess(results), std::move(inputName), std::move(inputSha256)};
}

}  // namespace ambiscan::app
