#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "campaign/ReceiverComparison.hpp"
#include "campaign/RunSummary.hpp"

namespace ambiscan::campaign {

// A receiver of one run that has no partner in the other (listed, not compared).
struct Unmatched {
    std::size_t run;
    std::string legend;
    bool inBaseline;  // a baseline receiver the run lacks, or the run's receiver the baseline lacks
};

// Runs in the order given, one of them the baseline, and every receiver of every other run
// against the baseline's receiver of the same legend.
struct Campaign {
    std::vector<RunRecord> runs;
    std::size_t baseline = 0;
    std::vector<ReceiverComparison> comparisons;  // by run, then by the run's receiver order
    std::vector<Unmatched> unmatched;
    std::size_t adjustedPValues = 0;  // the family Holm's adjustment runs over

    bool anyRegression() const;
};

// Legend A of another run is legend B of the baseline.
using LegendMatch = std::pair<std::string, std::string>;

// Compares, then adjusts every p of the whole comparison (reliability, correct-fix rate and time
// of each pair) by Holm's method. Refuses (RuntimeError) matches that put two of a run's
// receivers on one baseline legend.
Campaign compareCampaign(std::vector<RunRecord> runs, std::size_t baseline,
                         const std::vector<LegendMatch>& matches);

}  // namespace ambiscan::campaign
