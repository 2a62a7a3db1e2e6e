#include "figures/initTimeCdf.hpp"

#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "figures/figureColour.hpp"
#include "figures/runTitle.hpp"
#include "platform/numeric/Format.hpp"

namespace ambiscan::figures {

namespace {

// Right-aligns `text` in a field of at least `width` characters.
std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

}  // namespace

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

std::vector<std::string> cdfSummaryLines(const analysis::RunStatistics& stats) {
    std::vector<std::string> lines;
    for (const auto& s : stats) {
        lines.push_back(s.name + ":  Rel. = " + formatNumber("%.3f", s.PercentGood) + "%; " +
                        "East Sig = " + formatNumber("%.3f", s.InitESigma) + "m; " +
                        "North Sig = " + formatNumber("%.3f", s.InitNSigma) + "m; " +
                        "Height Sig = " + formatNumber("%.3f", s.InitUSigma) + "m; ");
    }
    return lines;
}

graphics::Graphics initTimeCdf(const analysis::RunResults& results) {
    graphics::Graphics g;
    std::vector<graphics::Handle> PlotHandles;
    CellRow LegendMatrix;

    g.figure();
    g.axis({0, 500, 0, 100});
    charts::grid(g);
    g.hold(true);

    const Matrix range = Matrix::range(0, 1, 500);
    for (std::size_t i = 0; i < results.dataSets.size(); ++i) {
        const analysis::DataSetResults& d = results.dataSets[i];
        const auto lines = g.plot(range, d.CDF, "-x", {{"color", dataSetColour(i)}});
        // Newest first: the legend lists the last data set on top.
        PlotHandles.insert(PlotHandles.begin(), lines.front());
        LegendMatrix.insert(LegendMatrix.begin(),
                            cdfLegendLine(d.name, results.MaxLength, d.stats.Init90,
                                          d.stats.InitMax, d.stats.InitAv, d.stats.InitMedian));
    }

    const graphics::Handle legend = g.legend(PlotHandles, LegendMatrix, 4);
    g.set(legend, "FontName", std::string("courier"));
    g.set(legend, "FontSize", Matrix::scalar(8));
    charts::xlabel(g, "Satellite Acquisition + RTK Initialization Time [Seconds]");
    charts::ylabel(g, "Cumulative Percentage");
    runTitle(g, results.title + results.TitleString);
    g.text(30, 25, cdfSummaryLines(results.statistics()));
    return g;
}

}  // namespace ambiscan::figures
