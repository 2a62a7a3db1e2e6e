#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/DataSetStatistics.hpp"

namespace ambiscan::analysis {

// Limits a test bench sets for every receiver of a run.
struct GateLimits {
    std::optional<double> minReliability;  // percent of good inits, at least
    std::optional<double> maxInit90;       // seconds to 90 % of the fixes, at most
};

// How one receiver stands against a gate: its value (NaN when it has none, as a receiver whose
// fixes never reach 90 %) and whether it passes.
struct GateReceiver {
    std::string name;
    double value = 0;
    bool passed = false;
};

// One gate over every receiver: "require-reliability" or "require-p90".
struct GateResult {
    std::string gate;
    double threshold = 0;
    std::vector<GateReceiver> receivers;
    bool passed() const;
};

// The gates that are set, in the order above, each over every data set.
std::vector<GateResult> evaluateGates(const RunStatistics& stats, const GateLimits& limits);

// One line per failing receiver and gate, for standard error.
std::vector<std::string> gateFailureLines(const std::vector<GateResult>& gates);

}  // namespace ambiscan::analysis
