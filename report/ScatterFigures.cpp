#include "report/ScatterFigures.hpp"

#include "analysis/positionErrors.hpp"
#include "analysis/setup.hpp"
#include "evidence/AccuracyPercentiles.hpp"
#include "plotsupport/setColourCodes.hpp"
#include "report/HorizontalScatter.hpp"

namespace ambiscan::report {

namespace {

std::vector<std::string> drawAll(const Matrix& inits, const CellRow& names) {
    const Matrix colours = plotsupport::setColourCodes();
    // One for all: fresh memory costs more than drawing.
    render::RenderedFigure canvas(kScatterSide, kScatterSide);
    std::vector<std::string> pngs;
    if (inits.cols() < analysis::errorColumn(names.size(), names.size(), 0)) {
        return pngs;  // records too short: the analysis refuses them with its own message
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        analysis::DataSetResults d;
        d.name = names[k];
        d.east = inits.columnAt(analysis::errorColumn(names.size(), k, 0));
        d.north = inits.columnAt(analysis::errorColumn(names.size(), k, 1));
        d.height = inits.columnAt(analysis::errorColumn(names.size(), k, 2));
        std::vector<bool> good(d.east.numel());
        for (std::size_t r = 0; r < good.size(); ++r) {
            good[r] = !analysis::isBadInit(d.east[r], d.north[r], d.height[r]);
        }
        const evidence::AccuracyPercentiles accuracy =
            evidence::accuracyPercentiles(d.east, d.north, d.height, good);
        evidence::DataSetEvidence e;
        e.horizontalP50 = accuracy.horizontalP50;
        e.horizontalP95 = accuracy.horizontalP95;
        const std::size_t row = k % colours.rows();
        pngs.push_back(horizontalScatterPng(
            d, e, {colours(row, 0), colours(row, 1), colours(row, 2)}, canvas));
    }
    return pngs;
}

}  // namespace

ScatterFigures::ScatterFigures(const Matrix& inits, const CellRow& names)
    : drawing_(std::async(std::launch::async, drawAll, inits, names)) {}

std::vector<std::string> ScatterFigures::take() {
    return drawing_.get();
}

}  // namespace ambiscan::report
