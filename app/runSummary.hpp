#pragma once

#include <cstddef>
#include <filesystem>

#include "analysis/RunResults.hpp"
#include "app/runFacts.hpp"

namespace ambiscan::app {

// Writes summary.json into `outputDir`: the evidence of the run read from its input file with
// its `records` rows.
void writeRunSummary(const analysis::RunResults& results, const RunFacts& facts,
                     std::size_t records, const std::filesystem::path& outputDir);

}  // namespace ambiscan::app
