#include "analysis/gates.hpp"

#include <algorithm>
#include <cmath>

#include "platform/numeric/Format.hpp"

namespace ambiscan::analysis {

namespace {

const char* const kReliabilityGate = "require-reliability";
const char* const kInit90Gate = "require-p90";

template <class Passes>
GateResult gateOver(const RunStatistics& stats, const char* gate, double threshold,
                    double DataSetStatistics::*value, Passes passes) {
    GateResult result{gate, threshold, {}};
    for (const DataSetStatistics& s : stats) {
        const double v = s.*value;
        // A value that is not a number (no 90 % time) never passes.
        result.receivers.push_back({s.name, v, !std::isnan(v) && passes(v)});
    }
    return result;
}

}  // namespace

bool GateResult::passed() const {
    return std::all_of(receivers.begin(), receivers.end(),
                       [](const GateReceiver& r) { return r.passed; });
}

std::vector<GateResult> evaluateGates(const RunStatistics& stats, const GateLimits& limits) {
    std::vector<GateResult> gates;
    if (const auto pct = limits.minReliability) {
        gates.push_back(gateOver(stats, kReliabilityGate, *pct, &DataSetStatistics::PercentGood,
                                 [pct](double v) { return v >= *pct; }));
    }
    if (const auto seconds = limits.maxInit90) {
        gates.push_back(gateOver(stats, kInit90Gate, *seconds, &DataSetStatistics::Init90,
                                 [seconds](double v) { return v <= *seconds; }));
    }
    return gates;
}

std::vector<std::string> gateFailureLines(const std::vector<GateResult>& gates) {
    std::vector<std::string> lines;
    for (const GateResult& gate : gates) {
        for (const GateReceiver& r : gate.receivers) {
            if (r.passed) {
                continue;
            }
            if (gate.gate == kReliabilityGate) {
                lines.push_back("Gate failed: " + r.name + " reliability " +
                                formatNumber("%.3f", r.value) + " % is below the required " +
                                num2str(gate.threshold) + " % (--require-reliability)");
            } else if (std::isnan(r.value)) {
                lines.push_back("Gate failed: " + r.name +
                                " never reaches 90 % of its inits; required within " +
                                num2str(gate.threshold) + " s (--require-p90)");
            } else {
                lines.push_back("Gate failed: " + r.name + " 90 % init time " + num2str(r.value) +
                                " s is above the required " + num2str(gate.threshold) +
                                " s (--require-p90)");
            }
        }
    }
    return lines;
}

}  // namespace ambiscan::analysis
