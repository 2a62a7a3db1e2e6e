#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/KeptFigures.hpp"
#include "analysis/RunResults.hpp"
#include "analysis/gates.hpp"
#include "app/runFacts.hpp"
#include "report/DecisionSection.hpp"

namespace ambiscan::app {

// Writes report.html into `outputDir`, last of a run's outputs: the run's results and figures
// (as written, in order) with the evidence on them and the report's own scatters.
void writeRunReport(const analysis::RunResults& results, const RunFacts& facts,
                    const std::vector<analysis::GateResult>& gates,
                    const std::vector<analysis::FigureFile>& figures,
                    const std::vector<std::string>& scatters,
                    const std::filesystem::path& outputDir,
                    const report::DecisionContent* decision = nullptr);

}  // namespace ambiscan::app
