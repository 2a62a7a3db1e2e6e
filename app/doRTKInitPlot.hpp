#pragma once

#include <string>

#include "analysis/RunResults.hpp"
#include "app/RunContext.hpp"
#include "platform/base/WorkerPool.hpp"
#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::app {

// The run's own outputs from its results, in this order: the figures (drawn on the pool's
// workers), each data set's bad-init list after its position figure, and stats.csv. A failed
// write raises after the outputs before it, with nothing shown after it.
void writeRunOutputs(RunContext& run, WorkerPool& pool, const analysis::RunResults& results);

// The analysis of the records (analysis::analyseRun), then its outputs as above, on a pool of
// its own. A record set the analysis refuses raises its RuntimeError before anything is
// written. Returns the results, for what is built on them.
analysis::RunResults doRTKInitPlot(RunContext& run, const Matrix& inits,
                                   const CellRow& DataSetStrings, const std::string& MainTitle);

}  // namespace ambiscan::app
