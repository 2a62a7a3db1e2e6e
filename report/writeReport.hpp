#pragma once

#include <filesystem>
#include <vector>

#include "analysis/KeptFigures.hpp"
#include "analysis/RunResults.hpp"
#include "evidence/Evidence.hpp"
#include "report/DecisionSection.hpp"
#include "report/ReportHtml.hpp"

namespace ambiscan::report {

// Writes report.html to `path`, whole or not at all, with the run's figures and the report's
// own scatters (one per data set; both in base64); a failed write raises a RuntimeError naming the
// file.
void writeReport(const std::filesystem::path& path, const analysis::RunResults& results,
                 const evidence::RunEvidence& evidence,
                 const std::vector<analysis::FigureFile>& figures,
                 const std::vector<std::string>& scatters, const InputFacts& input,
                 const std::vector<analysis::GateResult>& gates = {},
                 const DecisionContent* decision = nullptr);

}  // namespace ambiscan::report
