#include "app/runReport.hpp"

#include "platform/base/Version.hpp"
#include "report/writeReport.hpp"

namespace ambiscan::app {

void writeRunReport(const analysis::RunResults& results, const RunFacts& facts,
                    const std::vector<analysis::GateResult>& gates,
                    const std::vector<analysis::FigureFile>& figures,
                    const std::vector<std::string>& scatters,
                    const std::filesystem::path& outputDir,
                    const report::DecisionContent* decision) {
    report::writeReport(outputDir / "report.html", results, facts.evidence, figures, scatters,
                        {facts.inputName, facts.inputSha256, kVersion}, gates, decision);
}

}  // namespace ambiscan::app
