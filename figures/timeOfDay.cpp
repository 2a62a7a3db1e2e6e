#include "figures/timeOfDay.hpp"

#include <vector>

#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "charts/stem.hpp"
#include "figures/applyTimeAxis.hpp"
#include "figures/runTitle.hpp"

namespace ambiscan::figures {

graphics::Graphics timeOfDay(const analysis::RunResults& results) {
    static const char* const MarkerArray[] = {"bo", "rs", "md", "cp", "kv"};
    graphics::Graphics g;
    g.figure();
    g.hold(true);

    std::vector<graphics::Handle> markerLines;
    CellRow legendCell;
    for (std::size_t i = 0; i < results.dataSets.size(); ++i) {
        const auto lineHandle =
            charts::stem(g, {Value(results.startTimes), Value(results.dataSets[i].times),
                             Value(std::string(MarkerArray[i % 5]))});
        // The first handle of each data set is its marker line, the one the legend shows.
        markerLines.push_back(lineHandle.front());
        legendCell.push_back(results.dataSets[i].name);
    }

    applyTimeAxis(g, results.axis);
    charts::grid(g);
    g.legend(markerLines, legendCell);
    charts::xlabel(g, "Time of initialization attempt start [GPS Time HH:MM]");
    charts::ylabel(g, "Time taken to Initialize [Seconds]");
    runTitle(g, results.title + results.TitleString);
    return g;
}

}  // namespace ambiscan::figures
