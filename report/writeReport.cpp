#include "report/writeReport.hpp"

#include <future>
#include <string>

#include "analysis/summary.hpp"
#include "plotsupport/setColourCodes.hpp"
#include "report/HorizontalScatter.hpp"

namespace ambiscan::report {

namespace {

// One scatter per data set, two drawn at a time (the program's share of the cores).
std::vector<std::string> drawScatters(const analysis::RunResults& results,
                                      const evidence::RunEvidence& evidence) {
    const Matrix colours = plotsupport::setColourCodes();
    const std::size_t n = std::min(results.dataSets.size(), evidence.dataSets.size());
    const auto draw = [&](std::size_t k) {
        const std::size_t row = k % colours.rows();
        return horizontalScatterPng(results.dataSets[k], evidence.dataSets[k],
                                    {colours(row, 0), colours(row, 1), colours(row, 2)});
    };
    std::vector<std::string> pngs(n);
    for (std::size_t k = 0; k < n; k += 2) {
        std::future<std::string> second;
        if (k + 1 < n) {
            second = std::async(std::launch::async, draw, k + 1);
        }
        pngs[k] = draw(k);
        if (second.valid()) {
            pngs[k + 1] = second.get();
        }
    }
    return pngs;
}

}  // namespace

void writeReport(const std::filesystem::path& path, const analysis::RunResults& results,
                 const evidence::RunEvidence& evidence,
                 const std::vector<analysis::FigureFile>& figures, const InputFacts& input) {
    const std::vector<std::string> scatters = drawScatters(results, evidence);
    analysis::writeFileAtomically(path, reportHtml({results, evidence, figures, scatters, input}));
}

}  // namespace ambiscan::report
