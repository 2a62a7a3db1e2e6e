#include "report/writeReport.hpp"

#include "analysis/summary.hpp"

namespace ambiscan::report {

void writeReport(const std::filesystem::path& path, const analysis::RunResults& results,
                 const evidence::RunEvidence& evidence,
                 const std::vector<analysis::FigureFile>& figures,
                 const std::vector<std::string>& scatters, const InputFacts& input,
                 const std::vector<analysis::GateResult>& gates) {
    analysis::writeFileAtomically(path,
                                  reportHtml({results, evidence, figures, scatters, input, gates}));
}

}  // namespace ambiscan::report
