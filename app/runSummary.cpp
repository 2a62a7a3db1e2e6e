#include "app/runSummary.hpp"

#include "evidence/Evidence.hpp"
#include "report/FileDigest.hpp"
#include "report/SummaryJson.hpp"

namespace ambiscan::app {

void writeRunSummary(const analysis::RunResults& results, const std::filesystem::path& inputFile,
                     std::size_t records, const std::filesystem::path& outputDir) {
    const report::InputFile input{inputFile.filename().string(), report::sha256Hex(inputFile),
                                  records};
    report::writeSummaryJson(outputDir / "summary.json",
                             report::summaryJson(results, evidence::assess(results), input));
}

}  // namespace ambiscan::app
