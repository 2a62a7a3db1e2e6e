#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

#include "campaign/Campaign.hpp"
#include "platform/render/FigureFormat.hpp"

namespace ambiscan::campaign {

// What `ambiscan --compare` is asked.
struct CompareRequest {
    std::vector<std::filesystem::path> runs;        // in the order given
    std::optional<std::filesystem::path> baseline;  // else the first run
    std::vector<LegendMatch> matches;
    std::filesystem::path outputDir = ".";
    std::vector<render::FigureFormat> formats = {render::FigureFormat::Png};
};

// Reads every run (a refusal is a RuntimeError before anything is written), compares them with
// the baseline, prints the verdicts to `out` and writes into the output folder the trend
// figures (three runs or more), compare.json and compare.html, each whole or not at all.
// Returns whether any receiver is significantly worse than the baseline.
bool compareRuns(const CompareRequest& request, std::ostream& out);

}  // namespace ambiscan::campaign
