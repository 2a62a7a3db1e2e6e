#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/KeptFigures.hpp"
#include "analysis/RunResults.hpp"

namespace ambiscan::app {

// Writes report.html into `outputDir`, last of a run's outputs: the run's results and figures
// (as written, in order) with the evidence on them and the report's own scatters, for the run
// read from `inputFile`.
void writeRunReport(const analysis::RunResults& results,
                    const std::vector<analysis::FigureFile>& figures,
                    const std::vector<std::string>& scatters,
                    const std::filesystem::path& inputFile, const std::filesystem::path& outputDir);

}  // namespace ambiscan::app
