#include "app/runDecision.hpp"

#include "app/exitStatus.hpp"
#include "figures/decisionChart.hpp"
#include "platform/encoding/Base64.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/render/Print.hpp"
#include "platform/render/VectorFigure.hpp"
#include "plotsupport/setColourCodes.hpp"

namespace ambiscan::app {

namespace {

using evidence::SequentialDecision;

std::string optionText(const evidence::SequentialGateRun& gate) {
    return "--" + gate.gate + " " + num2str(gate.threshold);
}

std::string countOf(std::size_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string eventsText(const evidence::SequentialGateRun& gate, std::size_t events) {
    return gate.onBadFixes ? countOf(events, "bad fix", "bad fixes")
                           : countOf(events, "attempt", "attempts") + " not fixed within " +
                                 num2str(gate.threshold) + " s";
}

}  // namespace

evidence::SequentialRun startDecision(const Options& options,
                                      const std::vector<std::string>& names) {
    // Without --decide no gate is sequential: the run keeps only the counts for the intervals.
    const analysis::GateLimits limits =
        options.decide ? analysis::GateLimits{options.requireReliability, options.requireP90}
                       : analysis::GateLimits{};
    return evidence::startSequentialRun(names, limits, options.badDutFactor, options.decisionRisk);
}

report::DecisionContent writeDecisionFigures(const evidence::SequentialRun& run,
                                             const Matrix& records, const Options& options,
                                             std::vector<evidence::Interval> fixedCi95Percent) {
    report::DecisionContent content{
        run, {}, std::move(fixedCi95Percent), evidence::reliabilitySequences95(run)};
    const Matrix colours = plotsupport::setColourCodes();
    for (std::size_t i = 0; i < run.gates.size(); ++i) {
        const evidence::SequentialGateRun& gate = run.gates[i];
        content.charts.emplace_back();
        for (std::size_t k = 0; k < run.names.size(); ++k) {
            const std::size_t row = k % colours.rows();
            const evidence::DecisionPath path = evidence::decisionPath(
                gate, k, records, figures::decisionChartEnd(gate.receivers[k]));
            graphics::Graphics g = figures::decisionChart(
                gate, k, run.names[k], path, {colours(row, 0), colours(row, 1), colours(row, 2)});
            const std::string stem = (options.outputDir / run.names[k]).string() +
                                     (i == 0 ? "_Decision" : "_Decision_p90");
            const render::RenderedFigure pixels = render::renderFigurePixels(g, g.gcf());
            const std::string png = render::encodePng(pixels.pixels());
            for (const render::FigureFormat format : options.formats) {
                const std::string file = stem + "." + render::formatName(format);
                if (format == render::FigureFormat::Png) {
                    render::writePngBytes(png, file);
                } else {
                    render::writeFigureBytes(render::renderFigureDocument(g, g.gcf(), format),
                                             file);
                }
            }
            content.charts.back().push_back(base64(png));
        }
    }
    return content;
}

report::DecisionContent decideRecords(const Options& options, const std::vector<std::string>& names,
                                      const Matrix& records, const RunFacts& facts) {
    evidence::SequentialRun run = startDecision(options, names);
    evidence::addRecords(run, records);
    std::vector<evidence::Interval> fixed;
    for (const evidence::DataSetEvidence& d : facts.evidence.dataSets) {
        fixed.push_back(d.reliabilityCi95Percent);
    }
    return writeDecisionFigures(run, records, options, std::move(fixed));
}

std::vector<std::string> decisionLines(const evidence::SequentialRun& run) {
    std::vector<std::string> lines;
    for (const evidence::SequentialGateRun& gate : run.gates) {
        for (std::size_t k = 0; k < gate.receivers.size(); ++k) {
            const evidence::SequentialGate& g = gate.receivers[k];
            if (g.decision == SequentialDecision::Fail) {
                lines.push_back(
                    "Gate FAIL: " + run.names[k] + " " + eventsText(gate, g.eventsAtDecision) +
                    " in " + countOf(g.decidedAt, "attempt", "attempts") + " (" + optionText(gate) +
                    ", decided at attempt " + std::to_string(g.decidedAt) + ")");
            } else if (g.decision == SequentialDecision::Continue) {
                const auto toPass = evidence::moreAttemptsToPass(g.rule, g.attempts, g.events);
                const auto toFail = evidence::moreAttemptsToFail(g.rule, g.attempts, g.events);
                lines.push_back(
                    "Gate undecided: " + run.names[k] + " " + eventsText(gate, g.events) + " in " +
                    countOf(g.attempts, "attempt", "attempts") + " (" + optionText(gate) + "): " +
                    (toPass ? "at least " + std::to_string(*toPass) + " more clean attempts to pass"
                            : std::string("cannot pass")) +
                    ", " +
                    (toFail ? "at least " + std::to_string(*toFail) + " to fail"
                            : std::string("cannot fail")));
            }
        }
    }
    return lines;
}

int decisionExitStatus(const evidence::SequentialRun& run) {
    bool open = false;
    for (const evidence::SequentialGateRun& gate : run.gates) {
        const SequentialDecision d = gate.decision();
        if (d == SequentialDecision::Fail) {
            return kExitGateFailed;
        }
        open = open || d == SequentialDecision::Continue;
    }
    return open ? kExitUndecided : kExitSuccess;
}

}  // namespace ambiscan::app
