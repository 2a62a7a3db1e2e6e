#include "analysis/doRTKInitPlot.hpp"

#include <cmath>

#include "analysis/DataSetStatistics.hpp"
#include "analysis/initTimeDistribution.hpp"
#include "analysis/initTimeStatistics.hpp"
#include "analysis/positionErrors.hpp"
#include "analysis/positionHistograms.hpp"
#include "analysis/setup.hpp"
#include "analysis/summary.hpp"
#include "analysis/timeOfDay.hpp"
#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::analysis {

void doRTKInitPlot(RunContext& run, const Matrix& inits, double NumDataSets,
                   const CellRow& DataSetStrings, const std::string& MainTitle) {
    if (!(NumDataSets >= 1) || NumDataSets != std::floor(NumDataSets)) {
        throw RuntimeError("The number of data sets must be a whole number of 1 or more");
    }
    const TimeBase base = setup(inits, static_cast<std::size_t>(NumDataSets), DataSetStrings);

    RunStatistics stats;
    const graphics::Handle CDFFig = drawInitTimeCdf(run, base, DataSetStrings, MainTitle, stats);
    drawInitTimeDistribution(run, base, DataSetStrings, MainTitle);
    const TimeAxis axis = drawTimeOfDay(run, base, DataSetStrings, MainTitle);

    for (std::size_t k = 0; k < base.numDataSets; ++k) {
        const ErrorStatistics errors =
            drawPositionErrors(run, base, axis, DataSetStrings[k], k, stats[k]);
        drawPositionHistograms(run, base, DataSetStrings[k], k, errors, MainTitle);
    }

    writeSummary(run, CDFFig, stats, MainTitle);
}

}  // namespace ambiscan::analysis
