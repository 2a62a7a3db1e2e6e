#pragma once

#include <cstddef>
#include <filesystem>

#include "analysis/RunResults.hpp"

namespace ambiscan::app {

// Writes summary.json into `outputDir`: the evidence of the run read from `inputFile` with its
// `records` rows.
void writeRunSummary(const analysis::RunResults& results, const std::filesystem::path& inputFile,
                     std::size_t records, const std::filesystem::path& outputDir);

}  // namespace ambiscan::app
