#include "report/writeReport.hpp"

#include <future>
#include <string>

#include "analysis/summary.hpp"
#include "plotsupport/setColourCodes.hpp"
#include "report/HorizontalScatter.hpp"

namespace ambiscan::report {

namespace {

// One scatter per data set, on two threads (the program's share of the cores), each drawing
// its share in turn on one canvas of its own.
std::vector<std::string> drawScatters(const analysis::RunResults& results,
                                      const evidence::RunEvidence& evidence) {
    const Matrix colours = plotsupport::setColourCodes();
    const std::size_t n = std::min(results.dataSets.size(), evidence.dataSets.size());
    std::vector<std::string> pngs(n);
    const auto drawEvery = [&](std::size_t first) {
        render::RenderedFigure canvas;
        for (std::size_t k = first; k < n; k += 2) {
            const std::size_t row = k % colours.rows();
            pngs[k] =
                horizontalScatterPng(results.dataSets[k], evidence.dataSets[k],
                                     {colours(row, 0), colours(row, 1), colours(row, 2)}, canvas);
        }
    };
    std::future<void> second;
    if (n > 1) {
        second = std::async(std::launch::async, drawEvery, 1);
    }
    drawEvery(0);
    if (second.valid()) {
        second.get();
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
