#pragma once

#include <string>
#include <vector>

#include "evidence/Evidence.hpp"
#include "evidence/SequentialRun.hpp"

namespace ambiscan::report {

// What the report's "Decision" section shows of a run decided with --decide: the sequential
// gates, per gate and receiver the decision chart's PNG in base64 (gate by gate, receivers in
// legend order), and per receiver the fixed-n and the sequential 95 % interval of reliability.
struct DecisionContent {
    evidence::SequentialRun run;
    std::vector<std::vector<std::string>> charts;
    std::vector<evidence::Interval> fixedCi95Percent, sequenceCi95Percent;
};

// "PASS", "FAIL" or "CONTINUE".
std::string decisionName(evidence::SequentialDecision decision);

// The section, at the top of the page: the state of each gate and receiver, where it was
// decided (or how many more attempts could decide it), the intervals and the charts; without
// gates (a watched run without --decide) the intervals alone.
void decisionSection(std::string& out, const DecisionContent& content);

}  // namespace ambiscan::report
