#include "analysis/positionHistograms.hpp"

#include <cmath>
#include <vector>

#include "analysis/printFigure.hpp"
#include "analysis/runTitle.hpp"
#include "charts/annotate.hpp"
#include "charts/bar.hpp"
#include "charts/grid.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

namespace {

// Fitting the x limits to the data is switched off: the histograms keep their automatic limits.
constexpr bool fitAxis = false;

constexpr std::size_t kEdges = 81;

}  // namespace

Matrix histogramEdges() {
    Matrix edges(1, kEdges);
    for (std::size_t m = 0; m < 40; ++m) {
        edges[m] = -0.2 + static_cast<double>(m) * 0.005;
    }
    edges[40] = 0;
    for (std::size_t m = 41; m < kEdges; ++m) {
        edges[m] = 0.2 - static_cast<double>(kEdges - 1 - m) * 0.005;
    }
    return edges;
}

Matrix histogramPercentages(const Matrix& errors, double numInits) {
    const Matrix counts = histc(errors.asRow(), histogramEdges());
    Matrix percentages(1, kEdges - 2);
    for (std::size_t m = 1; m + 1 < kEdges; ++m) {
        percentages[m - 1] = 100 * counts[m] / numInits;
    }
    return percentages;
}

std::string histogramTitle(const std::string& name, const std::string& axisName, double sigma,
                           double mean) {
    return name + ": " + axisName + " - Sigma = " + num2str(sigma, 2) +
           "m; Mean Error = " + num2str(mean, 2) + "m";
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

void drawPositionHistograms(RunContext& run, const TimeBase& base, const std::string& name,
                            std::size_t k, const ErrorStatistics& s, const std::string& MainTitle) {
    static const char* const axisNames[] = {"East", "North", "Height"};
    auto& g = run.graphics;
    const Matrix edges = histogramEdges();
    Matrix x(1, kEdges - 2);
    for (std::size_t m = 1; m + 1 < kEdges; ++m) {
        x[m - 1] = edges[m];
    }

    Matrix compData(kEdges - 2, 3);  // one column per axis, as the grouped chart takes it
    std::vector<std::string> titles;
    for (std::size_t a = 0; a < 3; ++a) {
        g.figure();
        const Matrix errors = base.inits.columnAt(errorColumn(base.numDataSets, k, a));
        const Matrix percentages = histogramPercentages(errors, base.numInits);
        for (std::size_t m = 0; m < percentages.numel(); ++m) {
            compData(m, a) = percentages[m];
        }
        charts::bar(g, {Value(x), Value(percentages), Value(Matrix::scalar(1))});
        if (fitAxis) {
            if (const auto limits = fittedLimits(histc(errors.asRow(), edges), edges)) {
                std::array<double, 4> A = g.axis();
                A[0] = (*limits)[0];
                A[1] = (*limits)[1];
                g.axis(A);
            }
        }
        charts::ylabel(g, "Number of Epochs [%]");
        charts::grid(g);
        charts::xlabel(g, std::string(axisNames[a]) + " Position Error [m]");
        titles.push_back(histogramTitle(name, axisNames[a], s.sigma[a], s.mean[a]));
        charts::title(g, titles.back());
        printAndClose(run, name + "_" + axisNames[a] + "_Hist.png");
    }

    g.figure();
    const auto bars = charts::bar(g, {Value(x), Value(compData), Value(std::string("group"))});
    g.legend(bars, titles);
    charts::grid(g, {Value(std::string("on"))});
    runTitle(g, MainTitle + base.TitleString);
    charts::xlabel(g, "East/North/Height Position Error [m]");
    charts::ylabel(g, "Number of Epochs [%]");
    printAndClose(run, name + "_ENU_Hist.png");
}

}  // namespace ambiscan::analysis
