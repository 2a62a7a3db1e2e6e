#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/DataSetStatistics.hpp"
#include "analysis/doRTKInitPlot.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::analysis {

// "Rover:  Rel. = 92.500%; East Sig = 0.012m; North Sig = 0.010m; Height Sig = 0.030m; " per
// data set, the text block of the cumulative figure.
std::vector<std::string> cdfSummaryLines(const RunStatistics& stats);

// A text field of stats.csv: quoted, with quotes doubled, when it holds a comma, a double quote
// or a line end; as it is otherwise.
std::string csvField(const std::string& text);

std::string statsHeader();
// One line of stats.csv, line end included; Max Init rounded, Median Init rounded down.
std::string statsLine(const std::string& MainTitle, const DataSetStatistics& s);

// Writes `content` to `path` through a temporary file in the same folder renamed into place,
// so that a failed run never leaves a half-written file. Raises a RuntimeError naming the file.
void writeFileAtomically(const std::filesystem::path& path, const std::string& content);

// Writes the text block on the cumulative figure, prints InitTimeCDF.png, then writes stats.csv.
void writeSummary(RunContext& run, graphics::Handle CDFFig, const RunStatistics& stats,
                  const std::string& MainTitle);

}  // namespace ambiscan::analysis
