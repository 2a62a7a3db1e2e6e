#include "app/runReport.hpp"

#include "app/Version.hpp"
#include "evidence/Evidence.hpp"
#include "report/FileDigest.hpp"
#include "report/writeReport.hpp"

namespace ambiscan::app {

void writeRunReport(const analysis::RunResults& results,
                    const std::vector<analysis::FigureFile>& figures,
                    const std::vector<std::string>& scatters,
                    const std::filesystem::path& inputFile,
                    const std::filesystem::path& outputDir) {
    const report::InputFacts input{inputFile.filename().string(), report::sha256Hex(inputFile),
                                   kVersion};
    report::writeReport(outputDir / "report.html", results, evidence::assess(results), figures,
                        scatters, input);
}

}  // namespace ambiscan::app
