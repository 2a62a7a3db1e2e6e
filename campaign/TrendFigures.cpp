#include "campaign/TrendFigures.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "analysis/runTitle.hpp"
#include "charts/annotate.hpp"
#include "charts/grid.hpp"

namespace ambiscan::campaign {

namespace {

using graphics::Graphics;
using graphics::Handle;
using graphics::Rgb;

constexpr Rgb kTrendColour{0, 0.3, 0.8};
constexpr Rgb kRegressionColour{0.85, 0, 0};
constexpr Rgb kBaselineColour{0, 0, 0};
constexpr double kLastSecond = 500;  // the curves and times end where the run's do
// Labels under the axis before they are thinned to every k-th.
constexpr std::size_t kMostLabels = 12;

Value rgb(const Rgb& c) {
    return Value(Matrix::row({c.r, c.g, c.b}));
}
Value scalar(double v) {
    return Value(Matrix::scalar(v));
}

// The runs' labels under their positions 1..n.
void labelRuns(Graphics& g, const Campaign& campaign, const ReceiverTrend& trend) {
    const std::size_t n = trend.points.size();
    const std::size_t step = (n + kMostLabels - 1) / kMostLabels;
    std::vector<double> ticks;
    CellRow labels;
    for (std::size_t i = 0; i < n; i += step) {
        ticks.push_back(static_cast<double>(i + 1));
        labels.push_back(campaign.runs[trend.points[i].run].label);
    }
    g.set(g.gca(), {{"XTick", Value(Matrix::row(ticks))}, {"XTickLabel", Value(labels)}});
    charts::xlabel(g, "Run (label, in the order given)");
}

// Values with their intervals at positions 1..n: a line through the values, a bar per interval,
// the regressions ringed. `top` stands in for bounds past the axis (not reached).
struct Series {
    std::vector<double> value, lower, upper;
    std::vector<bool> regression;

    // A value or upper bound past the last second: drawn as a triangle at the top.
    bool pastTop(std::size_t i) const { return std::isinf(value[i]) || std::isinf(upper[i]); }
};

std::vector<Handle> drawSeries(Graphics& g, const Series& s, double top) {
    const std::size_t n = s.value.size();
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = static_cast<double>(i + 1);
    }
    const auto clip = [top](double v) { return std::isinf(v) && v > 0 ? top : v; };
    Matrix barX(2, n), barY(2, n);
    for (std::size_t i = 0; i < n; ++i) {
        barX(0, i) = barX(1, i) = x[i];
        barY(0, i) = clip(s.lower[i]);
        barY(1, i) = clip(s.upper[i]);
    }
    std::vector<Handle> entries;
    const std::vector<Handle> bars =
        g.plot(barX, barY, "-", {{"Color", rgb(kTrendColour)}, {"LineWidth", scalar(1.5)}});
    std::vector<double> shown(n);
    std::vector<double> past, pastX, ringX, ringY;
    for (std::size_t i = 0; i < n; ++i) {
        shown[i] = std::isinf(s.value[i]) ? std::numeric_limits<double>::quiet_NaN() : s.value[i];
        if (s.pastTop(i)) {
            pastX.push_back(x[i]);
            past.push_back(top);
        }
        if (s.regression[i]) {
            ringX.push_back(x[i]);
            ringY.push_back(clip(s.value[i]));
        }
    }
    entries.push_back(g.plot(Matrix::row(x), Matrix::row(shown), "-o",
                             {{"Color", rgb(kTrendColour)},
                              {"MarkerFaceColor", rgb(kTrendColour)},
                              {"MarkerSize", scalar(6)}})
                          .front());
    if (!bars.empty()) {
        entries.push_back(bars.front());
    }
    if (!pastX.empty()) {
        entries.push_back(g.plot(Matrix::row(pastX), Matrix::row(past), "^",
                                 {{"Color", rgb(kTrendColour)}, {"MarkerSize", scalar(9)}})
                              .front());
    }
    if (!ringX.empty()) {
        entries.push_back(g.plot(Matrix::row(ringX), Matrix::row(ringY), "o",
                                 {{"Color", rgb(kRegressionColour)},
                                  {"LineWidth", scalar(2)},
                                  {"MarkerSize", scalar(14)}})
                              .front());
    }
    return entries;
}

std::vector<std::string> legendTexts(const Series& s, const std::string& valueText) {
    std::vector<std::string> texts{valueText, "95 % interval"};
    for (std::size_t i = 0; i < s.value.size(); ++i) {
        if (s.pastTop(i)) {
            texts.push_back("not reached within 500 s (the time or its bound)");
            break;
        }
    }
    if (std::find(s.regression.begin(), s.regression.end(), true) != s.regression.end()) {
        texts.push_back("significantly worse than the baseline (Holm)");
    }
    return texts;
}

void baselineLine(Graphics& g, double value, std::size_t n) {
    if (std::isfinite(value)) {
        g.plot(Matrix::row({0.5, static_cast<double>(n) + 0.5}), Matrix::row({value, value}), "--",
               {{"Color", rgb(kBaselineColour)}});
    }
}

Graphics reliabilityFigure(const Campaign& campaign, const ReceiverTrend& trend) {
    Series s;
    double baseline = std::numeric_limits<double>::quiet_NaN(), lowest = 100;
    for (const TrendPoint& p : trend.points) {
        s.value.push_back(p.reliabilityPercent);
        s.lower.push_back(p.reliabilityCi95Percent.lower);
        s.upper.push_back(p.reliabilityCi95Percent.upper);
        s.regression.push_back(p.regression);
        lowest = std::min(lowest, p.reliabilityCi95Percent.lower);
        if (p.run == campaign.baseline) {
            baseline = p.reliabilityPercent;
        }
    }
    Graphics g;
    g.figure();
    g.hold(true);
    const std::size_t n = s.value.size();
    const std::vector<Handle> entries = drawSeries(g, s, 100);
    baselineLine(g, baseline, n);
    charts::grid(g);
    const double bottom = std::max(0.0, std::floor(lowest - 1));
    g.axis({0.5, static_cast<double>(n) + 0.5, bottom, 100});
    g.legend(entries, legendTexts(s, "reliability (dashed: the baseline)"), 4);
    labelRuns(g, campaign, trend);
    charts::ylabel(g, "Reliability [%]");
    analysis::runTitle(g, trend.receiver + ": reliability by run");
    return g;
}

Graphics correctFix90Figure(const Campaign& campaign, const ReceiverTrend& trend) {
    Series s;
    double baseline = std::numeric_limits<double>::quiet_NaN(), highest = 0;
    bool pastTop = false;
    for (const TrendPoint& p : trend.points) {
        const Quantile& q = p.correctFix90;
        s.value.push_back(q.value);
        s.lower.push_back(q.ci95.lower);
        s.upper.push_back(q.ci95.upper);
        s.regression.push_back(p.regression);
        for (const double v : {q.value, q.ci95.lower, q.ci95.upper}) {
            if (std::isfinite(v)) {
                highest = std::max(highest, v);
            }
            pastTop = pastTop || (std::isinf(v) && v > 0);
        }
        if (p.run == campaign.baseline) {
            baseline = q.value;
        }
    }
    const double top = pastTop ? kLastSecond : std::max(10.0, std::ceil(highest * 1.15 / 10) * 10);
    Graphics g;
    g.figure();
    g.hold(true);
    const std::size_t n = s.value.size();
    const std::vector<Handle> entries = drawSeries(g, s, top);
    baselineLine(g, baseline, n);
    charts::grid(g);
    g.axis({0.5, static_cast<double>(n) + 0.5, 0, top});
    g.legend(entries, legendTexts(s, "90 % time to a correct fix (dashed: the baseline)"), 1);
    labelRuns(g, campaign, trend);
    charts::ylabel(g, "Time to a Correct Fix [Seconds]");
    analysis::runTitle(g, trend.receiver + ": 90 % time to a correct fix by run");
    return g;
}

// Older runs lighter, newer darker; the baseline black, regressions red.
Rgb runColour(std::size_t i, std::size_t n) {
    const double shade = n <= 1 ? 1 : static_cast<double>(i) / static_cast<double>(n - 1);
    return {0.65 - 0.65 * shade, 0.75 - 0.55 * shade, 1.0 - 0.2 * shade};
}

Graphics cdfFigure(const Campaign& campaign, const ReceiverTrend& trend) {
    Graphics g;
    g.figure();
    g.axis({0, kLastSecond, 0, 100});
    charts::grid(g);
    g.hold(true);
    std::vector<double> seconds;
    for (double t = 0; t <= kLastSecond; ++t) {
        seconds.push_back(t);
    }
    // The runs that matter drawn last, on top: the worse ones, then the baseline.
    const std::size_t n = trend.points.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    const auto layer = [&](std::size_t i) {
        const TrendPoint& p = trend.points[i];
        return p.run == campaign.baseline ? 2 : p.regression ? 1 : 0;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return layer(a) < layer(b); });
    std::vector<std::pair<std::size_t, Handle>> shown;  // legend entries by position
    for (const std::size_t i : order) {
        const TrendPoint& p = trend.points[i];
        const TimeSample& times = p.receiver->times;
        // Percent of all attempts with a correct fix by s: T <= s + 0.5, as the run counts.
        std::vector<double> percent(seconds.size());
        std::size_t k = 0, running = 0;
        for (std::size_t s = 0; s < seconds.size(); ++s) {
            while (k < times.finite.size() && times.finite[k].first <= seconds[s] + 0.5) {
                running += times.finite[k++].second;
            }
            percent[s] = 100 * static_cast<double>(running) / static_cast<double>(times.size());
        }
        const Rgb colour = layer(i) == 2   ? kBaselineColour
                           : layer(i) == 1 ? kRegressionColour
                                           : runColour(i, n);
        const Handle line =
            g.plot(Matrix::row(seconds), Matrix::row(percent), "-",
                   {{"Color", rgb(colour)}, {"LineWidth", scalar(layer(i) > 0 ? 2 : 1)}})
                .front();
        // Every run in the legend while it stays readable; beyond that the ones that matter.
        if (n <= kMostLabels || layer(i) > 0 || i + 1 == n) {
            shown.emplace_back(i, line);
        }
    }
    // Newest first, as the run's own cumulative figure lists its receivers.
    std::sort(shown.begin(), shown.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<Handle> entries;
    std::vector<std::string> texts;
    for (const auto& [i, line] : shown) {
        entries.push_back(line);
        const std::string suffix = layer(i) == 2 ? " (baseline)" : layer(i) == 1 ? " (worse)" : "";
        texts.push_back(campaign.runs[trend.points[i].run].label + suffix);
    }
    g.legend(entries, texts, 4);
    charts::xlabel(g, "Time to a Correct Fix [Seconds]");
    charts::ylabel(g, "Cumulative Percentage of Attempts");
    analysis::runTitle(g, trend.receiver + ": time to a correct fix, every run");
    return g;
}

}  // namespace

std::vector<TrendFigure> trendFigures(const Campaign& campaign,
                                      const std::vector<ReceiverTrend>& trends) {
    std::vector<TrendFigure> figures;
    for (const ReceiverTrend& trend : trends) {
        if (trend.points.size() < kTrendRuns) {
            continue;
        }
        figures.push_back({"Trend_" + trend.receiver + "_Reliability",
                           trend.receiver + ": reliability of each run with its 95 % interval",
                           reliabilityFigure(campaign, trend)});
        figures.push_back(
            {"Trend_" + trend.receiver + "_CorrectFix90",
             trend.receiver + ": 90 % time to a correct fix of each run with its 95 % interval",
             correctFix90Figure(campaign, trend)});
        figures.push_back({"Trend_" + trend.receiver + "_CorrectFixCDF",
                           trend.receiver + ": time to a correct fix, the runs overlaid",
                           cdfFigure(campaign, trend)});
    }
    return figures;
}

}  // namespace ambiscan::campaign
