#include "report/DecisionSection.hpp"

#include <cmath>

#include "figures/decisionChart.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/render/Print.hpp"
#include "report/HtmlText.hpp"
#include "report/ReportNumbers.hpp"

namespace ambiscan::report {

namespace {

using evidence::SequentialDecision;

std::string gateText(const evidence::SequentialGateRun& gate) {
    return gate.onBadFixes ? "reliability at least " + num2str(gate.threshold) + " %"
                           : "90 % of fixes within " + num2str(gate.threshold) + " s";
}

std::string stateText(const evidence::SequentialGate& g) {
    if (g.decision != SequentialDecision::Continue) {
        std::string text = decisionName(g.decision) + " at attempt " + std::to_string(g.decidedAt) +
                           " (" + std::to_string(g.eventsAtDecision) +
                           (g.eventsAtDecision == 1 ? " event)" : " events)");
        if (g.attempts > g.decidedAt) {
            const std::size_t after = g.attempts - g.decidedAt;
            text += after == 1
                        ? std::string("; the attempt after it was not needed")
                        : "; the " + std::to_string(after) + " attempts after it were not needed";
        }
        return text;
    }
    const auto toPass = evidence::moreAttemptsToPass(g.rule, g.attempts, g.events);
    const auto toFail = evidence::moreAttemptsToFail(g.rule, g.attempts, g.events);
    return "CONTINUE: " +
           (toPass ? "≥ " + std::to_string(*toPass) + " more attempts to pass"
                   : std::string("cannot pass")) +
           ", " +
           (toFail ? "≥ " + std::to_string(*toFail) + " to fail" : std::string("cannot fail"));
}

std::string percentInterval(const evidence::Interval& i) {
    return fixed(i.lower, 2) + " – " + fixed(i.upper, 2, "%");
}

// Per receiver the reliability with its fixed-n interval and its confidence sequence.
void reliabilityTable(std::string& out, const DecisionContent& c) {
    const evidence::SequentialRun& run = c.run;
    out +=
        "<div class=\"scroll\"><table>\n<thead><tr>"
        "<th>Receiver</th><th>Reliability</th><th>95 % interval, fixed n</th>"
        "<th>95 % confidence sequence</th></tr></thead>\n<tbody>\n";
    for (std::size_t k = 0; k < run.names.size(); ++k) {
        const evidence::ReceiverTally& t = run.tallies[k];
        const double percent =
            t.attempts > 0 ? 100.0 * static_cast<double>(t.good) / static_cast<double>(t.attempts)
                           : NAN;
        out += "<tr><td>" + escapeHtml(run.names[k]) + "</td><td>" + fixed(percent, 2, "%") +
               "</td><td>" + percentInterval(c.fixedCi95Percent[k]) + "</td><td>" +
               percentInterval(c.sequenceCi95Percent[k]) + "</td></tr>\n";
    }
    out +=
        "</tbody></table></div>\n<p class=\"note\">Read the confidence sequence while the "
        "attempts come in and whenever the run may be stopped on what it shows: it holds "
        "however often it is looked at. The fixed-n interval holds only for one look at a "
        "number of attempts chosen beforehand.</p>\n";
}

}  // namespace

std::string decisionName(SequentialDecision decision) {
    switch (decision) {
        case SequentialDecision::Pass:
            return "PASS";
        case SequentialDecision::Fail:
            return "FAIL";
        case SequentialDecision::Continue:
            break;
    }
    return "CONTINUE";
}

void decisionSection(std::string& out, const DecisionContent& c) {
    const evidence::SequentialRun& run = c.run;
    if (run.gates.empty()) {  // watched without --decide: the intervals alone
        out += "<h2>Reliability while the test runs</h2>\n";
        reliabilityTable(out, c);
        return;
    }
    out += "<h2>Decision</h2>\n";
    const evidence::SequentialRule rule = run.gates.front().receivers.front().rule;
    out +=
        "<p class=\"note\">Each gate is tested attempt by attempt, in row order. PASS once so "
        "few events would happen with probability at most " +
        num2str(rule.risk) + " to a receiver whose event rate is " + num2str(rule.badFactor) +
        " times the allowed one; FAIL once so many would happen with probability at most " +
        num2str(rule.risk) +
        " at exactly the allowed rate. The first attempt at which either holds decides.</p>\n";
    out +=
        "<div class=\"scroll\"><table>\n<thead><tr><th>Gate</th><th>Receiver</th>"
        "<th>Events / attempts</th><th>State</th></tr></thead>\n<tbody>\n";
    for (const evidence::SequentialGateRun& gate : run.gates) {
        for (std::size_t k = 0; k < gate.receivers.size(); ++k) {
            const evidence::SequentialGate& g = gate.receivers[k];
            out += "<tr><td>" + escapeHtml(gateText(gate)) + "</td><td>" +
                   escapeHtml(run.names[k]) + "</td><td>" + std::to_string(g.events) + " / " +
                   std::to_string(g.attempts) + "</td><td>" + escapeHtml(stateText(g)) +
                   "</td></tr>\n";
        }
    }
    out += "</tbody></table></div>\n";

    out += "<h3>Reliability while the test runs</h3>\n";
    reliabilityTable(out, c);

    for (std::size_t i = 0; i < run.gates.size(); ++i) {
        const evidence::SequentialGateRun& gate = run.gates[i];
        for (std::size_t k = 0; k < gate.receivers.size() && k < c.charts[i].size(); ++k) {
            const std::string caption = run.names[k] + ": " + figures::eventName(gate) +
                                        " against attempts, between the PASS and FAIL limits (" +
                                        gateText(gate) + ").";
            out += "<figure><img src=\"data:image/png;base64," + c.charts[i][k] + "\" alt=\"" +
                   escapeHtml(run.names[k] + ": sequential test chart, " + gateText(gate)) +
                   "\" width=\"" + std::to_string(render::kFigureWidth) + "\" height=\"" +
                   std::to_string(render::kFigureHeight) + "\"><figcaption>" + escapeHtml(caption) +
                   "</figcaption></figure>\n";
        }
    }
}

}  // namespace ambiscan::report
