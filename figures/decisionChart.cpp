#include "figures/decisionChart.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "charts/annotate.hpp"
#include "charts/grid.hpp"
#include "figures/runTitle.hpp"
#include "platform/numeric/Format.hpp"

namespace ambiscan::figures {

namespace {

using evidence::SequentialDecision;
using graphics::Graphics;
using graphics::Handle;
using graphics::Rgb;

constexpr Rgb kPassColour{0.2, 0.55, 0.2};
constexpr Rgb kFailColour{0.75, 0.15, 0.1};
constexpr Rgb kMarkColour{0, 0, 0};

Value rgb(const Rgb& c) {
    return Value(Matrix::row({c.r, c.g, c.b}));
}

// A limit held from attempt n to n + 1: two points per attempt.
void steps(const std::vector<double>& attempts, const std::vector<double>& values,
           std::vector<double>& x, std::vector<double>& y) {
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        x.push_back(attempts[i]);
        y.push_back(values[i]);
        x.push_back(attempts[i] + 1);
        y.push_back(values[i]);
    }
}

Handle line(Graphics& g, std::vector<double> x, std::vector<double> y, const std::string& spec,
            const Rgb& colour, double width) {
    return g
        .plot(Matrix::row(std::move(x)), Matrix::row(std::move(y)), spec,
              {{"Color", rgb(colour)}, {"LineWidth", Value(Matrix::scalar(width))}})
        .front();
}

}  // namespace

std::size_t decisionChartEnd(const evidence::SequentialGate& gate) {
    std::size_t end = gate.attempts;
    if (gate.decision != SequentialDecision::Continue) {
        end = std::min(end, gate.decidedAt + std::max<std::size_t>(10, gate.decidedAt / 4));
    }
    return std::max<std::size_t>(1, std::min(end, kDecisionChartMost));
}

std::string eventName(const evidence::SequentialGateRun& gate) {
    return gate.onBadFixes ? "Bad fixes"
                           : "Attempts not fixed within " + num2str(gate.threshold) + " s";
}

Graphics decisionChart(const evidence::SequentialGateRun& gate, std::size_t k,
                       const std::string& name, const evidence::DecisionPath& path,
                       const Rgb& colour) {
    const evidence::SequentialGate& state = gate.receivers[k];
    Graphics g;
    g.figure();
    g.hold(true);
    std::vector<Handle> entries;
    std::vector<std::string> texts;

    std::vector<double> x, y;
    steps(path.attempts, path.failLeast, x, y);
    entries.push_back(line(g, std::move(x), std::move(y), "--", kFailColour, 1.5));
    texts.push_back("FAIL at or above");
    x.clear();
    y.clear();
    steps(path.attempts, path.passMost, x, y);
    entries.push_back(line(g, std::move(x), std::move(y), "--", kPassColour, 1.5));
    texts.push_back("PASS at or below");

    std::vector<double> px{0}, py{0};
    px.insert(px.end(), path.attempts.begin(), path.attempts.end());
    py.insert(py.end(), path.events.begin(), path.events.end());
    entries.push_back(line(g, std::move(px), std::move(py), "-", colour, 2));
    texts.push_back(name + " (" + std::to_string(state.events) + " in all " +
                    std::to_string(state.attempts) + " attempts)");

    if (state.decision != SequentialDecision::Continue) {
        const bool passed = state.decision == SequentialDecision::Pass;
        entries.push_back(g.plot(Matrix::scalar(static_cast<double>(state.decidedAt)),
                                 Matrix::scalar(static_cast<double>(state.eventsAtDecision)), "o",
                                 {{"Color", rgb(kMarkColour)},
                                  {"MarkerFaceColor", rgb(passed ? kPassColour : kFailColour)},
                                  {"MarkerSize", Value(Matrix::scalar(12))}})
                              .front());
        texts.push_back(std::string(passed ? "PASS" : "FAIL") + " at attempt " +
                        std::to_string(state.decidedAt));
    }

    charts::grid(g);
    g.legend(entries, texts);
    charts::xlabel(g, "Attempts");
    charts::ylabel(g, eventName(gate));
    const std::string what = gate.onBadFixes
                                 ? "reliability at least " + num2str(gate.threshold) + " %"
                                 : "90 % within " + num2str(gate.threshold) + " s";
    figures::runTitle(g, name + ": " + what + ", decided attempt by attempt");
    const double end = path.attempts.empty() ? 1 : path.attempts.back() + 1;
    double top = 1;
    for (const std::vector<double>* v : {&path.events, &path.passMost, &path.failLeast}) {
        for (const double e : *v) {
            top = std::isfinite(e) ? std::max(top, e) : top;
        }
    }
    // Below zero a little, so that a path or limit at no events stays in sight.
    g.axis({0, end, -0.02 * top - 0.2, std::ceil(top * 1.15 + 0.5)});
    return g;
}

}  // namespace ambiscan::figures
