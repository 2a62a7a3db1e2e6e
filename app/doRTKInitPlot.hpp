#pragma once

#include <string>

#include "analysis/RunResults.hpp"
#include "app/RunContext.hpp"
#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::app {

// The run's own outputs from its records: the analysis (analysis::analyseRun), then in this
// order the figures, each data set's bad-init list after its position figure, and stats.csv.
// A record set the analysis refuses raises its RuntimeError before anything is written; a
// failed write raises after the outputs before it, with nothing shown after it. Returns the
// results, for what is built on them.
analysis::RunResults doRTKInitPlot(RunContext& run, const Matrix& inits,
                                   const CellRow& DataSetStrings, const std::string& MainTitle);

}  // namespace ambiscan::app
