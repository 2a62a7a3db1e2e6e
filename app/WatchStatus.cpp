#include "app/WatchStatus.hpp"

#include "platform/numeric/Format.hpp"

namespace ambiscan::app {

namespace {

using evidence::SequentialDecision;

std::string gateName(const evidence::SequentialGateRun& gate) {
    return "--" + gate.gate + " " + num2str(gate.threshold);
}

std::string stateOf(const evidence::SequentialGate& g) {
    if (g.decision == SequentialDecision::Pass) {
        return "PASS at attempt " + std::to_string(g.decidedAt);
    }
    if (g.decision == SequentialDecision::Fail) {
        return "FAIL at attempt " + std::to_string(g.decidedAt);
    }
    const auto toPass = evidence::moreAttemptsToPass(g.rule, g.attempts, g.events);
    return toPass ? "≥ " + std::to_string(*toPass) + " more attempts to pass" : "open";
}

}  // namespace

std::vector<std::string> watchStatusLines(const evidence::SequentialRun& run, bool decide) {
    const std::vector<evidence::Interval> sequences = evidence::reliabilitySequences95(run);
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < run.names.size(); ++k) {
        const evidence::ReceiverTally& t = run.tallies[k];
        std::string line = run.names[k] + ": " + std::to_string(t.attempts) + " attempts";
        if (t.attempts > 0) {
            line += ", reliability " +
                    formatNumber("%.2f", 100.0 * static_cast<double>(t.good) /
                                             static_cast<double>(t.attempts)) +
                    " % (95 % sequence " + formatNumber("%.2f", sequences[k].lower) + "–" +
                    formatNumber("%.2f", sequences[k].upper) + " %)";
        }
        if (decide) {
            for (const evidence::SequentialGateRun& gate : run.gates) {
                line += "; " + gateName(gate) + ": " + stateOf(gate.receivers[k]);
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::string decisionAnnouncement(const evidence::SequentialRun& run, std::size_t gate,
                                 std::size_t k) {
    const evidence::SequentialGateRun& g = run.gates[gate];
    return "Decided: " + run.names[k] + " " + gateName(g) + " " + stateOf(g.receivers[k]) + " (" +
           std::to_string(g.receivers[k].eventsAtDecision) +
           (g.receivers[k].eventsAtDecision == 1 ? " event)" : " events)");
}

void StatusBoard::show(const std::vector<std::string>& lines) {
    if (shown_ > 0) {
        out_ << "\x1b[" << shown_ << "A";  // back to the first line shown
    }
    for (const std::string& line : lines) {
        out_ << "\r\x1b[K" << line << '\n';
    }
    shown_ = lines.size();
    out_.flush();
}

}  // namespace ambiscan::app
