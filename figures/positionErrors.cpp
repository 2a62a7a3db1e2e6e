#include "figures/positionErrors.hpp"

#include <array>
#include <limits>

#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "figures/applyTimeAxis.hpp"
#include "platform/numeric/Format.hpp"

namespace ambiscan::figures {

namespace {

// One figure of errors against start time: labels, legend, title, time axis and grid.
graphics::Graphics errorFigure(const analysis::TimeAxis& axis, const Matrix& startTimes,
                               const std::array<Matrix, 3>& errors,
                               const analysis::ErrorStatistics& s, const std::string& title) {
    static const char* const specs[] = {"r-x", "g-x", "b-x"};
    graphics::Graphics g;
    g.figure();
    std::vector<graphics::Handle> lines;
    for (std::size_t a = 0; a < 3; ++a) {
        // With no rows a lone NaN point still makes each line (drawing nothing), so that the
        // legend keeps its three entries.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const Matrix x = startTimes.empty() ? Matrix::scalar(nan) : startTimes;
        const Matrix y = errors[a].empty() ? Matrix::scalar(nan) : errors[a];
        const auto handles = g.plot(x, y, specs[a]);
        lines.insert(lines.end(), handles.begin(), handles.end());
        if (a == 0) {
            g.hold(true);
        }
    }
    charts::xlabel(g, "Time of initialization attempt start [GPS Time HH:MM]");
    charts::ylabel(g, "Position Error [metres]");
    g.legend(lines, positionLegend(s));
    charts::title(g, title);
    applyTimeAxis(g, axis);
    charts::grid(g);
    return g;
}

std::string titleOf(const analysis::RunResults& results, const analysis::DataSetResults& d) {
    return positionTitle(d.name, results.numInits, static_cast<double>(d.badRows.size()),
                         d.stats.PercentGood);
}

}  // namespace

std::vector<std::string> positionLegend(const analysis::ErrorStatistics& s) {
    static const char* const prefixes[] = {"East:   Sig=", "North:  Sig=", "Height: Sig="};
    std::vector<std::string> lines;
    for (std::size_t a = 0; a < 3; ++a) {
        lines.push_back(prefixes[a] + formatNumber("%.3f", s.sigma[a]) +
                        "m; Mean=" + formatNumber("%.3f", s.mean[a]) + "m");
    }
    return lines;
}

std::string positionTitle(const std::string& name, double numInits, double numBad,
                          double PercentGood) {
    return name + "; " + num2str(numInits - numBad) + " Good Inits; " + num2str(numBad) +
           " Bad Inits; Reliability = " + formatNumber("%.3f", PercentGood) + "%";
}

graphics::Graphics positionErrors(const analysis::RunResults& results, std::size_t k) {
    const analysis::DataSetResults& d = results.dataSets[k];
    return errorFigure(results.axis, results.startTimes, {d.east, d.north, d.height}, d.allErrors,
                       titleOf(results, d));
}

graphics::Graphics positionErrorsGoodOnly(const analysis::RunResults& results, std::size_t k) {
    const analysis::DataSetResults& d = results.dataSets[k];
    const std::vector<std::size_t> good = analysis::goodRows(d.badRows, d.east.numel());
    const analysis::DataSetStatistics& s = d.stats;
    const analysis::ErrorStatistics goodErrors{{s.InitEMean, s.InitNMean, s.InitUMean},
                                               {s.InitESigma, s.InitNSigma, s.InitUSigma}};
    return errorFigure(results.axis, analysis::selectRows(results.startTimes, good),
                       {analysis::selectRows(d.east, good), analysis::selectRows(d.north, good),
                        analysis::selectRows(d.height, good)},
                       goodErrors, "Good Inits. only: " + titleOf(results, d));
}

}  // namespace ambiscan::figures
