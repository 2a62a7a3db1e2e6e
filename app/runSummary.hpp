#pragma once

#include <cstddef>
#include <filesystem>

#include "analysis/RunResults.hpp"
#include "analysis/gates.hpp"
#include "app/runFacts.hpp"
#include "report/RunLabel.hpp"

namespace ambiscan::app {

// Writes summary.json into `outputDir`: the evidence of the run read from its input file with
// its `records` rows.
// "gates" holds the gates the command line set (none: an empty list); `label` what the run is
// filed under (--label, --note).
void writeRunSummary(const analysis::RunResults& results, const RunFacts& facts,
                     const std::vector<analysis::GateResult>& gates, std::size_t records,
                     const std::filesystem::path& outputDir, const report::RunLabel& label = {});

}  // namespace ambiscan::app
