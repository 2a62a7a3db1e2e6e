#include "figures/positionHistogram.hpp"

#include <cmath>

#include "analysis/positionHistograms.hpp"
#include "charts/annotate.hpp"
#include "charts/bar.hpp"
#include "charts/grid.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::figures {

namespace {

// Fitting the x limits to the data is switched off: the histograms keep their automatic limits.
constexpr bool fitAxis = false;

}  // namespace

std::string histogramTitle(const std::string& name, const std::string& axisName, double sigma,
                           double mean) {
    return name + ": " + axisName + " - Sigma = " + num2str(sigma, 2) +
           "m; Mean Error = " + num2str(mean, 2) + "m";
}

std::array<std::string, 3> histogramTitles(const analysis::DataSetResults& d) {
    const analysis::DataSetStatistics& s = d.stats;
    return {histogramTitle(d.name, kAxisNames[0], s.InitESigma, s.InitEMean),
            histogramTitle(d.name, kAxisNames[1], s.InitNSigma, s.InitNMean),
            histogramTitle(d.name, kAxisNames[2], s.InitUSigma, s.InitUMean)};
}

std::optional<std::array<double, 2>> fittedLimits(const Matrix& counts, const Matrix& edges) {
    std::optional<std::size_t> first, last;
    for (std::size_t m = 0; m < counts.numel(); ++m) {
        if (counts[m] != 0) {
            if (!first) {
                first = m;
            }
            last = m;
        }
    }
    if (!first) {
        return std::nullopt;
    }
    return std::array<double, 2>{std::floor(edges[*first] * 1000) / 1000,
                                 std::ceil(edges[*last] * 1000) / 1000};
}

Matrix histogramBars() {
    const Matrix edges = analysis::histogramEdges();
    Matrix x(1, edges.numel() - 2);
    for (std::size_t m = 1; m + 1 < edges.numel(); ++m) {
        x[m - 1] = edges[m];
    }
    return x;
}

graphics::Graphics positionHistogram(const analysis::RunResults& results, std::size_t k,
                                     std::size_t a) {
    const analysis::DataSetResults& d = results.dataSets[k];
    const Matrix& errors = a == 0 ? d.east : a == 1 ? d.north : d.height;
    graphics::Graphics g;
    g.figure();
    const Matrix percentages = analysis::histogramPercentages(errors, results.numInits);
    charts::bar(g, {Value(histogramBars()), Value(percentages), Value(Matrix::scalar(1))});
    if (fitAxis) {
        const Matrix edges = analysis::histogramEdges();
        if (const auto limits = fittedLimits(histc(errors.asRow(), edges), edges)) {
            std::array<double, 4> A = g.axis();
            A[0] = (*limits)[0];
            A[1] = (*limits)[1];
            g.axis(A);
        }
    }
    charts::ylabel(g, "Number of Epochs [%]");
    charts::grid(g);
    charts::xlabel(g, std::string(kAxisNames[a]) + " Position Error [m]");
    charts::title(g, histogramTitles(d)[a]);
    return g;
}

}  // namespace ambiscan::figures
