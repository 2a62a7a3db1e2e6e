#include "analysis/timeOfDay.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/printFigure.hpp"
#include "analysis/runTitle.hpp"
#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "charts/stem.hpp"
#include "platform/base/Console.hpp"
#include "plotsupport/labelAxes.hpp"

namespace ambiscan::analysis {

namespace {

struct Span {
    double xmin, xmax;
};

Span widen(double low, double high, double step) {
    Span span{std::floor(low / step) * step, std::ceil(high / step) * step};
    if (!(span.xmax > span.xmin)) {
        span.xmax = span.xmin + step;
    }
    return span;
}

}  // namespace

TimeAxis timeAxis(double first, double last, double earliest, double latest) {
    TimeAxis axis;
    axis.outOfOrder = last < first;
    const double low = axis.outOfOrder ? earliest : first;
    const double high = axis.outOfOrder ? latest : last;

    // Formed as whole hours times the hour count, as the label boundaries are counted.
    axis.step = high - low > 86400 ? 3600.0 * 6 : 3600.0 * 3;
    Span span = widen(low, high, axis.step);
    axis.Labels = std::round((span.xmax - span.xmin) / axis.step);
    while (axis.Labels > kMaxLabelIntervals) {
        axis.step *= 2;
        span = widen(low, high, axis.step);
        axis.Labels = std::round((span.xmax - span.xmin) / axis.step);
    }
    axis.xmin = span.xmin;
    axis.xmax = span.xmax;
    return axis;
}

void applyTimeAxis(graphics::Graphics& graphics, const TimeAxis& axis) {
    std::array<double, 4> A = graphics.axis();
    A[0] = axis.xmin;
    A[1] = axis.xmax;
    // Values at the edges of a double (Inf, NaN, +-1e308) give no usable span; the axes then
    // keep their automatic limits and plain tick labels.
    const auto usable = [&](std::size_t i) {
        return std::isfinite(A[i]) && std::isfinite(A[i + 1]) && A[i] < A[i + 1];
    };
    if (!usable(0) || !usable(2)) {
        return;
    }
    graphics.axis(A);
    const std::array<double, 4> limits = graphics.axis();
    plotsupport::labelAxes(graphics, {Matrix::scalar(axis.Labels), Matrix::scalar(graphics.gcf()),
                                      Matrix::row({limits[0], limits[1], limits[2], limits[3]}),
                                      Matrix::scalar(0), Matrix::scalar(0)});
}

TimeAxis drawTimeOfDay(RunContext& run, const TimeBase& base, const CellRow& names,
                       const std::string& MainTitle) {
    static const char* const MarkerArray[] = {"bo", "rs", "md", "cp", "kv"};
    auto& g = run.graphics;
    g.figure();
    g.hold(true);

    const Matrix startTimes = base.inits.columnAt(0);
    std::vector<graphics::Handle> markerLines;
    CellRow legendCell;
    for (std::size_t i = 0; i < base.numDataSets; ++i) {
        const auto lineHandle =
            charts::stem(g, {Value(startTimes), Value(base.inits.columnAt(initTimeColumn(i))),
                             Value(std::string(MarkerArray[i % 5]))});
        // The first handle of each data set is its marker line, the one the legend shows.
        markerLines.push_back(lineHandle.front());
        legendCell.push_back(names[i]);
    }

    const TimeAxis axis =
        timeAxis(startTimes[0], startTimes[startTimes.numel() - 1], base.minTime, base.maxTime);
    if (axis.outOfOrder) {
        settleFigures(run);
        warning(run.console,
                "inits.txt records are not in time order; the time axis runs from the earliest "
                "to the latest start time");
    }
    applyTimeAxis(g, axis);
    charts::grid(g);
    g.legend(markerLines, legendCell);
    charts::xlabel(g, "Time of initialization attempt start [GPS Time HH:MM]");
    charts::ylabel(g, "Time taken to Initialize [Seconds]");
    runTitle(g, MainTitle + base.TitleString);
    printAndClose(run, "InitTimeVTime.png");
    return axis;
}

}  // namespace ambiscan::analysis
