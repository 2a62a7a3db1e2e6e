#pragma once

#include <string>
#include <vector>

#include "analysis/doRTKInitPlot.hpp"
#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::report {

// The report's own figures, one horizontal scatter per data set, for the run to draw along
// with its figures (each after its data set's own): they need nothing the analysis works out,
// only the records. Each scatter's PNG, in base64 as the page embeds it, lands in `embedded`
// (one per data set, in legend order). `inits` and `embedded` must outlive the run.
std::vector<analysis::KeptOnlyFigure> scatterFigures(const Matrix& inits, const CellRow& names,
                                                     std::vector<std::string>& embedded);

}  // namespace ambiscan::report
