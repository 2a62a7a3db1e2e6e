#pragma once

#include <filesystem>
#include <string>

#include "analysis/RunResults.hpp"
#include "evidence/Evidence.hpp"

namespace ambiscan::app {

// What the outputs after the analysis share about a run, worked out once: the evidence on its
// results and the input file's name and SHA-256 (reading a large file twice costs time).
struct RunFacts {
    evidence::RunEvidence evidence;
    std::string inputName;
    std::string inputSha256;
};

RunFacts assessRun(const analysis::RunResults& results, const std::filesystem::path& inputFile);
// The same with the input's name and digest known already (a file read as it grows).
RunFacts assessRun(const analysis::RunResults& results, std::string inputName,
                   std::string inputSha256);

}  // namespace ambiscan::app
