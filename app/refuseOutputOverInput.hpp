#pragma once

#include <filesystem>
#include <vector>

#include "app/readInits.hpp"
#include "platform/numeric/Value.hpp"
#include "platform/render/FigureFormat.hpp"

namespace ambiscan::app {

// What a run writes into its output folder, to name every file it may replace.
struct RunOutputs {
    std::filesystem::path folder;
    CellRow legends;
    std::vector<render::FigureFormat> formats;
    bool report = true;
    // With --decide: one decision chart per gate and receiver, the first gate's named
    // `_Decision`, the second's `_Decision_p90`.
    std::size_t decisionCharts = 0;
};

// Every file name the run writes into its folder: the figures (decision charts included) in
// each format, stats.csv, summary.json and report.html.
std::vector<std::string> runOutputNames(const RunOutputs& outputs);

// Raises a RuntimeError when one of the run's outputs is the input file itself (by name, by
// another path to the folder, or by a hard link): the run would write its input over.
void refuseOutputOverInput(const FileIdentity& input, const std::string& inputName,
                           const RunOutputs& outputs);

}  // namespace ambiscan::app
