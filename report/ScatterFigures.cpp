#include "report/ScatterFigures.hpp"

#include "analysis/positionErrors.hpp"
#include "analysis/setup.hpp"
#include "evidence/AccuracyPercentiles.hpp"
#include "platform/encoding/Base64.hpp"
#include "plotsupport/setColourCodes.hpp"
#include "report/HorizontalScatter.hpp"

namespace ambiscan::report {

namespace {

graphics::Graphics scatterOf(const Matrix& inits, const CellRow& names, std::size_t k) {
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
    const Matrix colours = plotsupport::setColourCodes();
    const std::size_t row = k % colours.rows();
    return horizontalScatter(d, e, {colours(row, 0), colours(row, 1), colours(row, 2)});
}

}  // namespace

std::vector<analysis::KeptOnlyFigure> scatterFigures(const Matrix& inits, const CellRow& names,
                                                     std::vector<std::string>& embedded) {
    embedded.assign(names.size(), std::string());
    std::vector<analysis::KeptOnlyFigure> figures;
    for (std::size_t k = 0; k < names.size(); ++k) {
        // Each scatter is built on the drawing thread, after the run has checked the records.
        figures.push_back({[&inits, names, k] { return scatterOf(inits, names, k); }, kScatterSide,
                           kScatterSide,
                           [&embedded, k](std::string png) { embedded[k] = base64(png); }});
    }
    return figures;
}

}  // namespace ambiscan::report
