#include "app/runSummary.hpp"

#include "report/SummaryJson.hpp"

namespace ambiscan::app {

void writeRunSummary(const analysis::RunResults& results, const RunFacts& facts,
                     std::size_t records, const std::filesystem::path& outputDir) {
    const report::InputFile input{facts.inputName, facts.inputSha256, records};
    report::writeSummaryJson(outputDir / "summary.json",
                             report::summaryJson(results, facts.evidence, input));
}

}  // namespace ambiscan::app
