#pragma once

#include "analysis/RunResults.hpp"
#include "report/SummaryJson.hpp"

namespace ambiscan::report {

// Adds to each receiver's object of `dataSets` (in the order of the run's data sets)
// time_to_correct_fix_s.distribution, [[t, count], ...] over the distinct finite times to a
// correct fix in ascending order, and time_to_correct_fix_s.no_correct_fix, the attempts without
// one. With the good and bad counts that is all a comparison of runs needs.
void addCorrectFixDistributions(Json& dataSets, const analysis::RunResults& results);

}  // namespace ambiscan::report
