#pragma once

#include <filesystem>
#include <string>

#include "analysis/RunResults.hpp"
#include "evidence/Evidence.hpp"

namespace ambiscan::app {

// What the outputs after the analysis share about a run, worked out once: the evidence on its
// results, and the input as given on the command line with the SHA-256 of the bytes read.
struct RunFacts {
    evidence::RunEvidence evidence;
    std::string inputName;
    std::string inputSha256;
};

RunFacts assessRun(const analysis::RunResults& results, std::string inputName,
                   std::string inputSha256);

}  // namespace ambiscan::app
