#include "analysis/initTimeStatistics.hpp"

#include <cmath>
#include <limits>

#include "analysis/runTitle.hpp"
#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "charts/hist.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

namespace {

// Right-aligns `text` in a field of at least `width` characters.
std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

}  // namespace

InitTimeSummary initTimeSummary(const Matrix& times, double numInits) {
    const Matrix rangecal = Matrix::range(0, 1, 501);
    const Matrix counts = charts::hist(times.asRow(), rangecal).no;

    InitTimeSummary summary;
    summary.CDF = Matrix(1, 501);
    summary.ninetyPercentile = std::numeric_limits<double>::quiet_NaN();
    double running = 0;
    for (std::size_t k = 0; k < 501; ++k) {
        running += counts[k];
        summary.CDF[k] = 100 * running / numInits;
        if (std::isnan(summary.ninetyPercentile) && summary.CDF[k] >= 90) {
            summary.ninetyPercentile = rangecal[k];
        }
    }
    summary.max = maxValue(times);
    summary.mean = meanValue(times);
    summary.median = medianValue(times);
    return summary;
}

std::string cdfLegendLine(const std::string& name, std::size_t MaxLength, double ninetyPercentile,
                          double max, double mean, double median) {
    std::string line = name + " ";
    if (MaxLength > name.size()) {
        line += std::string(MaxLength - name.size(), ' ');
    }
    line += "90%= " + padLeft(num2str(ninetyPercentile), 4) + "sec; Max=";
    line += padLeft(num2str(max), 5) + "sec; Av=";
    line += padLeft(formatNumber("%.1f", mean), 5) + "sec; Median=";
    line += padLeft(formatNumber("%.0f", median), 4) + "sec";
    return line;
}

graphics::Handle drawInitTimeCdf(RunContext& run, const TimeBase& base, const CellRow& names,
                                 const std::string& MainTitle, RunStatistics& stats) {
    auto& g = run.graphics;
    std::vector<graphics::Handle> PlotHandles;
    CellRow LegendMatrix;

    const graphics::Handle CDFFig = g.figure();
    g.axis({0, 500, 0, 100});
    charts::grid(g);
    g.hold(true);

    const Matrix range = Matrix::range(0, 1, 500);
    stats.assign(base.numDataSets, DataSetStatistics{});
    for (std::size_t i = 0; i < base.numDataSets; ++i) {
        const Matrix times = base.inits.columnAt(initTimeColumn(i));
        const InitTimeSummary summary = initTimeSummary(times, base.numInits);

        const auto lines = g.plot(range, summary.CDF, "-x", {{"color", dataSetColour(base, i)}});
        // Newest first: the legend lists the last data set on top.
        PlotHandles.insert(PlotHandles.begin(), lines.front());
        LegendMatrix.insert(LegendMatrix.begin(),
                            cdfLegendLine(names[i], base.MaxLength, summary.ninetyPercentile,
                                          summary.max, summary.mean, summary.median));

        DataSetStatistics& s = stats[i];
        s.name = names[i];
        s.Init90 = summary.ninetyPercentile;
        s.InitMax = summary.max;
        s.InitAv = summary.mean;
        s.InitMedian = summary.median;
        s.InitNum = base.numInits;
        s.InitHours = base.runLength;
    }

    const graphics::Handle legend = g.legend(PlotHandles, LegendMatrix, 4);
    g.set(legend, "FontName", std::string("courier"));
    g.set(legend, "FontSize", Matrix::scalar(8));
    charts::xlabel(g, "Satellite Acquisition + RTK Initialization Time [Seconds]");
    charts::ylabel(g, "Cumulative Percentage");
    runTitle(g, MainTitle + base.TitleString);
    return CDFFig;
}

}  // namespace ambiscan::analysis
