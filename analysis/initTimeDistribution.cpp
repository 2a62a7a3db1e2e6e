#include "analysis/initTimeDistribution.hpp"

#include <vector>

#include "analysis/printFigure.hpp"
#include "analysis/runTitle.hpp"
#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "charts/hist.hpp"

namespace ambiscan::analysis {

Matrix distributionPercentages(const Matrix& times, double numInits) {
    const Matrix range5secbins = Matrix::range(0, 5, 505);
    const Matrix counts = charts::hist(times.asRow(), range5secbins).no;
    Matrix percentages(1, 101);
    for (std::size_t k = 0; k < 101; ++k) {
        percentages[k] = 100 * counts[k] / numInits;
    }
    return percentages;
}

void drawInitTimeDistribution(RunContext& run, const TimeBase& base, const CellRow& names,
                              const std::string& MainTitle) {
    auto& g = run.graphics;
    g.figure();
    std::vector<graphics::Handle> DataHandles;
    CellRow DataLegend;

    const Matrix range5sec = Matrix::range(0, 5, 500);
    for (std::size_t i = 0; i < base.numDataSets; ++i) {
        const Matrix percentages =
            distributionPercentages(base.inits.columnAt(initTimeColumn(i)), base.numInits);
        const Matrix colour = dataSetColour(base, i);
        const auto lines = g.plot(range5sec, percentages, "-x",
                                  {{"linewidth", Matrix::scalar(2)},
                                   {"markersize", Matrix::scalar(6)},
                                   {"color", colour}});
        g.hold(true);
        DataHandles.insert(DataHandles.begin(), lines.front());
        DataLegend.insert(DataLegend.begin(), names[i] + ": 5 Second bins");
    }

    g.legend(DataHandles, DataLegend);
    runTitle(g, MainTitle + base.TitleString);
    charts::grid(g, {Value(std::string("on"))});
    charts::xlabel(g, "Satellite Acquisition + RTK Initialization Time [Seconds]");
    charts::ylabel(g, "Percentage");
    printAndClose(run, "InitTimeDist.png");
}

}  // namespace ambiscan::analysis
