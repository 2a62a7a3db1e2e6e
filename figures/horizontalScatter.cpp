#include "figures/horizontalScatter.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "analysis/positionErrors.hpp"
#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "evidence/AccuracyPercentiles.hpp"
#include "figures/figureColour.hpp"
#include "figures/runTitle.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/render/AxesFrame.hpp"

namespace ambiscan::figures {

namespace {

using graphics::Graphics;
using graphics::Handle;
using graphics::Rgb;

constexpr Rgb kBadColour{0, 0, 0};
constexpr Rgb kPercentileColour{0.35, 0.35, 0.35};
constexpr Rgb kLimitColour{0.85, 0.4, 0};

// A length of the legend, e.g. "0.0123 m" (finite and not negative here).
std::string metres(double value, const char* format) {
    return formatNumber(format, value) + " m";
}

Value rgb(const Rgb& c) {
    return Value(Matrix::row({c.r, c.g, c.b}));
}

struct Points {
    std::vector<double> east, north;
};

Handle circle(Graphics& g, double radius, const std::string& style, const Rgb& colour,
              double width) {
    constexpr int kSteps = 360;
    std::vector<double> x(kSteps + 1), y(kSteps + 1);
    for (int i = 0; i <= kSteps; ++i) {
        const double angle = 2 * std::numbers::pi * i / kSteps;
        x[static_cast<std::size_t>(i)] = radius * std::cos(angle);
        y[static_cast<std::size_t>(i)] = radius * std::sin(angle);
    }
    return g
        .plot(Matrix::row(x), Matrix::row(y), style,
              {{"Color", rgb(colour)}, {"LineWidth", Value(Matrix::scalar(width))}})
        .front();
}

// Half the side of the square about the origin that is shown: the limit circle with room
// around it, which holds every good fix. Far-off bad fixes would shrink the cloud to a dot.
constexpr double kReach = kHorizontalLimit * 1.35;

// Widens one axis so that a metre is as long across as up, for the axes' pixel frame.
void equalAxes(Graphics& g, double half) {
    g.axis({-half, half, -half, half});
    for (int pass = 0; pass < 2; ++pass) {
        const render::Frame frame = render::axesFrame(g, g.gca(), kScatterSide, kScatterSide);
        const double across = frame.width / frame.height;
        if (across >= 1) {
            g.axis({-half * across, half * across, -half, half});
        } else {
            g.axis({-half, half, -half / across, half / across});
        }
    }
}

}  // namespace

Graphics horizontalScatter(const analysis::DataSetResults& dataSet,
                           const evidence::DataSetEvidence& evidence, const Rgb& colour) {
    Points good, bad;
    std::size_t badBeyond = 0;  // bad fixes outside the square shown
    for (std::size_t r = 0; r < dataSet.east.numel(); ++r) {
        const double e = dataSet.east[r], n = dataSet.north[r];
        if (!std::isfinite(e) || !std::isfinite(n)) {
            continue;
        }
        if (!analysis::isBadInit(e, n, dataSet.height[r])) {
            good.east.push_back(e);
            good.north.push_back(n);
        } else if (std::max(std::abs(e), std::abs(n)) <= kReach) {
            bad.east.push_back(e);
            bad.north.push_back(n);
        } else {
            ++badBeyond;
        }
    }

    Graphics g;
    g.figure();
    g.hold(true);
    std::vector<Handle> entries;
    std::vector<std::string> texts;
    // The points move into the model: a million fixes are not copied twice.
    const auto points = [&](Points p, const std::string& spec, const Rgb& c, double size,
                            const std::string& text) {
        if (p.east.empty()) {
            return;
        }
        entries.push_back(g.plot(Matrix::column(std::move(p.east)),
                                 Matrix::column(std::move(p.north)), spec,
                                 {{"Color", rgb(c)}, {"MarkerSize", Value(Matrix::scalar(size))}})
                              .front());
        texts.push_back(text);
    };
    const std::string goodText = "good fixes (" + std::to_string(good.east.size()) + ")";
    points(std::move(good), ".", colour, 8, goodText);
    std::string badText = "bad fixes (" + std::to_string(bad.east.size() + badBeyond);
    if (bad.east.empty() && badBeyond > 0) {
        // A point that is not drawn, so that the legend still counts the bad fixes.
        bad.east.push_back(std::numeric_limits<double>::quiet_NaN());
        bad.north.push_back(std::numeric_limits<double>::quiet_NaN());
    }
    if (badBeyond > 0) {
        badText += ", " + std::to_string(badBeyond) + " beyond the axes";
    }
    points(std::move(bad), "x", kBadColour, 8, badText + ")");
    if (std::isfinite(evidence.horizontalP50)) {
        entries.push_back(circle(g, evidence.horizontalP50, "--", kPercentileColour, 1));
        texts.push_back("50 % of good fixes: " + metres(evidence.horizontalP50, "%.4f"));
    }
    if (std::isfinite(evidence.horizontalP95)) {
        entries.push_back(circle(g, evidence.horizontalP95, "-", kPercentileColour, 1));
        texts.push_back("95 % of good fixes: " + metres(evidence.horizontalP95, "%.4f"));
    }
    entries.push_back(circle(g, kHorizontalLimit, "-", kLimitColour, 1.5));
    texts.push_back("limit of a good fix: " + metres(kHorizontalLimit, "%.2f"));

    charts::grid(g);
    g.legend(entries, texts);
    charts::xlabel(g, "East Position Error [m]");
    charts::ylabel(g, "North Position Error [m]");
    runTitle(g, dataSet.name + ": horizontal position error of every fix");
    equalAxes(g, kReach);  // last: the texts decide the frame's size
    return g;
}

Graphics horizontalScatter(const analysis::RunResults& results, std::size_t k) {
    const analysis::DataSetResults& d = results.dataSets[k];
    std::vector<bool> good(d.east.numel(), true);
    for (const std::size_t r : d.badRows) {
        good[r] = false;
    }
    const evidence::AccuracyPercentiles accuracy =
        evidence::accuracyPercentiles(d.east, d.north, d.height, good);
    evidence::DataSetEvidence e;
    e.horizontalP50 = accuracy.horizontalP50;
    e.horizontalP95 = accuracy.horizontalP95;
    return horizontalScatter(d, e, scatterColour(k));
}

}  // namespace ambiscan::figures
