#include "report/SequentialJson.hpp"

#include <cmath>
#include <optional>

#include "report/DecisionSection.hpp"

namespace ambiscan::report {

namespace {

Json count(const std::optional<std::size_t>& n) {
    return n ? Json(*n) : Json(nullptr);
}

// A copy of the object with `value` under `key` right after `after` (at the end without it).
Json insertedAfter(const Json& object, const std::string& after, const std::string& key,
                   Json value) {
    Json result = Json::object();
    for (const auto& [k, v] : object.items()) {
        result[k] = v;
        if (k == after) {
            result[key] = value;
        }
    }
    if (!result.contains(key)) {
        result[key] = std::move(value);
    }
    return result;
}

Json receiverJson(const evidence::SequentialGate& g) {
    const bool open = g.decision == evidence::SequentialDecision::Continue;
    return {
        {"decision", decisionName(g.decision)},
        {"at_attempt", open ? Json(nullptr) : Json(g.decidedAt)},
        {"events", open ? g.events : g.eventsAtDecision},
        {"more_attempts_to_pass",
         open ? count(evidence::moreAttemptsToPass(g.rule, g.attempts, g.events)) : Json(nullptr)},
        {"more_attempts_to_fail",
         open ? count(evidence::moreAttemptsToFail(g.rule, g.attempts, g.events)) : Json(nullptr)}};
}

}  // namespace

void addSequentialKeys(Json& summary, const evidence::SequentialRun& run,
                       const std::vector<evidence::Interval>& sequenceCi95Percent) {
    Json& dataSets = summary["data_sets"];
    for (std::size_t k = 0; k < dataSets.size() && k < sequenceCi95Percent.size(); ++k) {
        const evidence::Interval& cs = sequenceCi95Percent[k];
        dataSets[k] = insertedAfter(dataSets[k], "reliability_ci95_percent",
                                    "reliability_cs95_percent", Json::array({cs.lower, cs.upper}));
    }
    Json& gates = summary["gates"];
    for (std::size_t i = 0; i < gates.size() && i < run.gates.size(); ++i) {
        const evidence::SequentialGateRun& gate = run.gates[i];
        const evidence::SequentialRule rule = gate.receivers.front().rule;
        gates[i] = insertedAfter(
            gates[i], "passed", "sequential",
            {{"decision", decisionName(gate.decision())}, {"M", rule.badFactor}, {"F", rule.risk}});
        Json& receivers = gates[i]["receivers"];
        for (std::size_t k = 0; k < receivers.size() && k < gate.receivers.size(); ++k) {
            receivers[k]["sequential"] = receiverJson(gate.receivers[k]);
        }
    }
}

}  // namespace ambiscan::report
