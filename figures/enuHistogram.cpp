#include "figures/enuHistogram.hpp"

#include <array>
#include <string>
#include <vector>

#include "analysis/positionHistograms.hpp"
#include "charts/annotate.hpp"
#include "charts/bar.hpp"
#include "charts/grid.hpp"
#include "figures/positionHistogram.hpp"
#include "figures/runTitle.hpp"

namespace ambiscan::figures {

graphics::Graphics enuHistogram(const analysis::RunResults& results, std::size_t k) {
    const analysis::DataSetResults& d = results.dataSets[k];
    const Matrix x = histogramBars();
    Matrix compData(x.numel(), 3);  // one column per axis, as the grouped chart takes it
    const std::array<const Matrix*, 3> errors{&d.east, &d.north, &d.height};
    for (std::size_t a = 0; a < 3; ++a) {
        const Matrix percentages = analysis::histogramPercentages(*errors[a], results.numInits);
        for (std::size_t m = 0; m < percentages.numel(); ++m) {
            compData(m, a) = percentages[m];
        }
    }
    const std::array<std::string, 3> titles = histogramTitles(d);

    graphics::Graphics g;
    g.figure();
    const auto bars = charts::bar(g, {Value(x), Value(compData), Value(std::string("group"))});
    g.legend(bars, std::vector<std::string>(titles.begin(), titles.end()));
    charts::grid(g, {Value(std::string("on"))});
    runTitle(g, results.title + results.TitleString);
    charts::xlabel(g, "East/North/Height Position Error [m]");
    charts::ylabel(g, "Number of Epochs [%]");
    return g;
}

}  // namespace ambiscan::figures
