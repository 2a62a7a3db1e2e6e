#pragma once

#include <vector>

#include "evidence/Evidence.hpp"
#include "evidence/SequentialRun.hpp"
#include "report/SummaryJson.hpp"

namespace ambiscan::report {

// What --decide adds to a summary made by summaryJson with its "gates": per data set
// "reliability_cs95_percent" (after "reliability_ci95_percent"), per gate "sequential"
// {decision, M, F} and per gate receiver "sequential" {decision, at_attempt, events,
// more_attempts_to_pass, more_attempts_to_fail} (null where it does not apply).
void addSequentialKeys(Json& summary, const evidence::SequentialRun& run,
                       const std::vector<evidence::Interval>& sequenceCi95Percent);

}  // namespace ambiscan::report
