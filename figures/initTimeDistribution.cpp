#include "figures/initTimeDistribution.hpp"

#include <vector>

#include "analysis/initTimeDistribution.hpp"
#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "figures/figureColour.hpp"
#include "figures/runTitle.hpp"

namespace ambiscan::figures {

graphics::Graphics initTimeDistribution(const analysis::RunResults& results) {
    graphics::Graphics g;
    g.figure();
    std::vector<graphics::Handle> DataHandles;
    CellRow DataLegend;

    const Matrix range5sec = Matrix::range(0, 5, 500);
    for (std::size_t i = 0; i < results.dataSets.size(); ++i) {
        const analysis::DataSetResults& d = results.dataSets[i];
        const Matrix percentages = analysis::distributionPercentages(d.times, results.numInits);
        const auto lines = g.plot(range5sec, percentages, "-x",
                                  {{"linewidth", Matrix::scalar(2)},
                                   {"markersize", Matrix::scalar(6)},
                                   {"color", dataSetColour(i)}});
        g.hold(true);
        DataHandles.insert(DataHandles.begin(), lines.front());
        DataLegend.insert(DataLegend.begin(), d.name + ": 5 Second bins");
    }

    g.legend(DataHandles, DataLegend);
    runTitle(g, results.title + results.TitleString);
    charts::grid(g, {Value(std::string("on"))});
    charts::xlabel(g, "Satellite Acquisition + RTK Initialization Time [Seconds]");
    charts::ylabel(g, "Percentage");
    return g;
}

}  // namespace ambiscan::figures
