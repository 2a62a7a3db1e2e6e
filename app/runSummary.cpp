#include "app/runSummary.hpp"

#include "report/SummaryJson.hpp"

namespace ambiscan::app {

void writeRunSummary(const analysis::RunResults& results, const RunFacts& facts,
                     const std::vector<analysis::GateResult>& gates, std::size_t records,
                     const std::filesystem::path& outputDir, const report::RunLabel& label) {
    const report::InputFile input{facts.inputName, facts.inputSha256, records};
    report::Json summary = report::summaryJson(results, facts.evidence, input, label);
    summary["gates"] = report::gatesJson(gates);
    report::writeSummaryJson(outputDir / "summary.json", summary);
}

}  // namespace ambiscan::app
