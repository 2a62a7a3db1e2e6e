#include "report/writeReport.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/io/OutputFile.hpp"

namespace ambiscan::report {

void writeReport(const std::filesystem::path& path, const analysis::RunResults& results,
                 const evidence::RunEvidence& evidence,
                 const std::vector<analysis::FigureFile>& figures,
                 const std::vector<std::string>& scatters, const InputFacts& input,
                 const std::vector<analysis::GateResult>& gates, const DecisionContent* decision) {
    OutputFile out(path.string(), path.string());
    // Written as made: the figures go straight from where they are kept into the file.
    writeReportHtml(
        {results, evidence, figures, scatters, input, gates, decision},
        [&out](std::string_view piece) {
            if (std::fwrite(piece.data(), 1, piece.size(), out.stream()) != piece.size()) {
                out.fail(std::strerror(errno));
            }
        });
    out.commit();
}

}  // namespace ambiscan::report
