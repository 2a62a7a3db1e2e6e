#pragma once

#include <string>

#include "analysis/RunResults.hpp"
#include "platform/base/WorkerPool.hpp"
#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::analysis {

// The numbers of one run, worked out from its records (one row of 4N + 1 numbers per attempt,
// N = DataSetStrings.size()): every statistic stats.csv holds, the bad-init lists, and what the
// figures, the gates and the evidence read. Draws nothing and writes nothing, so that it may be
// called as often as a watcher or a test likes. An empty matrix, too few columns or no legend
// raise a RuntimeError. The results share the elements of `inits`: keep it alive.
// With a pool, the data sets are worked out side by side on it (the caller takes part).
RunResults analyseRun(const Matrix& inits, const CellRow& DataSetStrings,
                      const std::string& MainTitle, WorkerPool* pool = nullptr);

}  // namespace ambiscan::analysis
