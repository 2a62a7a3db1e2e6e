#pragma once

#include <filesystem>
#include <string>

#include "analysis/RunResults.hpp"
#include "evidence/Evidence.hpp"

namespace ambiscan::app {

// What the outputs after the analysis share about a run, worked out once: the evidence on its
// results (worked out beside the figures) and the input file's name and SHA-256 (reading a large
// file twice costs time).
struct RunFacts {
    evidence::RunEvidence evidence;
    std::string inputName;
    std::string inputSha256;
};

RunFacts assessRun(evidence::RunEvidence evidence, const std::filesystem::path& inputFile);

}  // namespace ambiscan::app
