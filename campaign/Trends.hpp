#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "campaign/Campaign.hpp"
#include "campaign/CorrectFixQuantile.hpp"

namespace ambiscan::campaign {

// One run's point of a receiver's trend.
struct TrendPoint {
    std::size_t run;
    const ReceiverRecord* receiver;  // in that run (held by the campaign)
    double reliabilityPercent;
    evidence::Interval reliabilityCi95Percent;  // Clopper-Pearson, as the run's own
    Quantile correctFix90;                      // seconds; +Inf when not reached within 500 s
    bool regression;                            // significantly worse than the baseline
};

// A baseline receiver across the runs that have it, in the order the runs were given.
struct ReceiverTrend {
    std::string receiver;
    std::vector<TrendPoint> points;
};

std::vector<ReceiverTrend> receiverTrends(const Campaign& campaign);

}  // namespace ambiscan::campaign
