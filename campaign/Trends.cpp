#include "campaign/Trends.hpp"

#include "evidence/Intervals.hpp"

namespace ambiscan::campaign {

namespace {

TrendPoint trendPoint(std::size_t run, const ReceiverRecord& r, bool regression) {
    const double n = static_cast<double>(r.attempts);
    const evidence::Interval cp = evidence::clopperPearson95(r.good, r.attempts);
    return {run,
            &r,
            100 * static_cast<double>(r.good) / n,
            {100 * cp.lower, 100 * cp.upper},
            correctFixQuantile(r.times, 0.9),
            regression};
}

}  // namespace

std::vector<ReceiverTrend> receiverTrends(const Campaign& campaign) {
    std::vector<ReceiverTrend> trends;
    for (const ReceiverRecord& receiver : campaign.runs[campaign.baseline].receivers) {
        ReceiverTrend trend{receiver.name, {}};
        for (std::size_t r = 0; r < campaign.runs.size(); ++r) {
            if (r == campaign.baseline) {
                trend.points.push_back(trendPoint(r, receiver, false));
                continue;
            }
            for (const ReceiverComparison& c : campaign.comparisons) {
                if (c.run != r || c.receiver != receiver.name) {
                    continue;
                }
                for (const ReceiverRecord& other : campaign.runs[r].receivers) {
                    if (other.name == c.legendInRun) {
                        trend.points.push_back(trendPoint(r, other, c.regression()));
                    }
                }
            }
        }
        trends.push_back(std::move(trend));
    }
    return trends;
}

}  // namespace ambiscan::campaign
