#include "analysis/doRTKInitPlot.hpp"

#include <cmath>

#include "analysis/DataSetStatistics.hpp"
#include "analysis/RunResults.hpp"
#include "analysis/initTimeDistribution.hpp"
#include "analysis/initTimeStatistics.hpp"
#include "analysis/positionErrors.hpp"
#include "analysis/positionHistograms.hpp"
#include "analysis/printFigure.hpp"
#include "analysis/setup.hpp"
#include "analysis/summary.hpp"
#include "analysis/timeOfDay.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/render/FigureWriter.hpp"

namespace ambiscan::analysis {

namespace {

RunResults resultsOf(const TimeBase& base, const RunStatistics& stats,
                     const std::string& MainTitle) {
    RunResults results;
    results.title = MainTitle;
    results.startTimes = base.inits.columnAt(0);
    results.firstStart = base.minTime;
    results.lastStart = base.maxTime;
    results.hours = base.runLength;
    for (std::size_t k = 0; k < base.numDataSets; ++k) {
        const auto column = [&](std::size_t a) {
            return base.inits.columnAt(errorColumn(base.numDataSets, k, a));
        };
        results.dataSets.push_back({stats[k].name, base.inits.columnAt(initTimeColumn(k)),
                                    column(0), column(1), column(2), stats[k]});
    }
    return results;
}

RunStatistics analyse(RunContext& run, const Matrix& inits, std::size_t numDataSets,
                      const CellRow& DataSetStrings, const std::string& MainTitle) {
    const TimeBase base = setup(inits, numDataSets, DataSetStrings);

    RunStatistics stats;
    const graphics::Handle CDFFig = drawInitTimeCdf(run, base, DataSetStrings, MainTitle, stats);
    drawInitTimeDistribution(run, base, DataSetStrings, MainTitle);
    const TimeAxis axis = drawTimeOfDay(run, base, DataSetStrings, MainTitle);

    for (std::size_t k = 0; k < base.numDataSets; ++k) {
        const ErrorStatistics errors =
            drawPositionErrors(run, base, axis, DataSetStrings[k], k, stats[k]);
        drawPositionHistograms(run, base, DataSetStrings[k], k, errors, MainTitle);
        if (k < run.dataSetFigures.size()) {
            drawKeptOnly(run, run.dataSetFigures[k]);
        }
    }

    writeSummary(run, CDFFig, stats, MainTitle);
    if (run.results != nullptr) {
        *run.results = resultsOf(base, stats, MainTitle);
    }
    return stats;
}

}  // namespace

RunStatistics doRTKInitPlot(RunContext& run, const Matrix& inits, double NumDataSets,
                            const CellRow& DataSetStrings, const std::string& MainTitle) {
    if (!(NumDataSets >= 1) || NumDataSets != std::floor(NumDataSets)) {
        throw RuntimeError("The number of data sets must be a whole number of 1 or more");
    }
    render::FigureWriter writer;
    render::FigureWriter* const outer = run.figureWriter;
    run.figureWriter = &writer;
    try {
        RunStatistics stats =
            analyse(run, inits, static_cast<std::size_t>(NumDataSets), DataSetStrings, MainTitle);
        writer.settle();
        run.figureWriter = outer;
        return stats;
    } catch (...) {
        run.figureWriter = outer;
        // A figure that failed to be written was printed before the failure in hand: its
        // error comes first, as it would have with every figure written at once.
        writer.settle();
        throw;
    }
}

}  // namespace ambiscan::analysis
