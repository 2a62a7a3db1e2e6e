#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/Options.hpp"
#include "app/runFacts.hpp"
#include "evidence/Evidence.hpp"
#include "evidence/SequentialRun.hpp"
#include "platform/numeric/Matrix.hpp"
#include "report/DecisionSection.hpp"

namespace ambiscan::app {

// The sequential gates the options set, started for these receivers.
evidence::SequentialRun startDecision(const Options& options,
                                      const std::vector<std::string>& names);

// Draws each gate's decision chart per receiver into `<legend>_Decision.<format>` (the second
// gate's into `<legend>_Decision_p90.<format>`), in every format asked, and gathers what the
// report's Decision section shows. `fixedCi95Percent`: the fixed-n reliability interval per
// receiver.
report::DecisionContent writeDecisionFigures(const evidence::SequentialRun& run,
                                             const Matrix& records, const Options& options,
                                             std::vector<evidence::Interval> fixedCi95Percent);

// Decides the records read in one go (row order) and draws the figures: what --decide adds to
// a run. Uses the evidence's fixed-n reliability intervals.
report::DecisionContent decideRecords(const Options& options, const std::vector<std::string>& names,
                                      const Matrix& records, const RunFacts& facts);

// For standard error: one line per gate and receiver that did not pass.
std::vector<std::string> decisionLines(const evidence::SequentialRun& run);

// 0 every gate passed, kExitGateFailed any failed, kExitUndecided any open and none failed.
int decisionExitStatus(const evidence::SequentialRun& run);

}  // namespace ambiscan::app
