#include "campaign/Campaign.hpp"

#include <algorithm>
#include <map>
#include <set>

#include "campaign/Holm.hpp"
#include "platform/base/RuntimeError.hpp"

namespace ambiscan::campaign {

bool Campaign::anyRegression() const {
    return std::any_of(comparisons.begin(), comparisons.end(),
                       [](const ReceiverComparison& c) { return c.regression(); });
}

namespace {

// The baseline legend a run's legend stands for.
std::string baselineLegend(const std::string& legend, const std::vector<LegendMatch>& matches) {
    for (const auto& [from, to] : matches) {
        if (from == legend) {
            return to;
        }
    }
    return legend;
}

void adjustForMultiplicity(Campaign& campaign) {
    std::vector<double> p;
    for (const ReceiverComparison& c : campaign.comparisons) {
        p.insert(p.end(), {c.reliability.fisherP, c.correctFix.fisherP, c.time.test.p});
    }
    const std::vector<double> adjusted = holmAdjusted(p);
    for (std::size_t k = 0; k < campaign.comparisons.size(); ++k) {
        ReceiverComparison& c = campaign.comparisons[k];
        c.reliability.pHolm = adjusted[3 * k];
        c.correctFix.pHolm = adjusted[3 * k + 1];
        c.time.pHolm = adjusted[3 * k + 2];
    }
    campaign.adjustedPValues = p.size();
}

}  // namespace

Campaign compareCampaign(std::vector<RunRecord> runs, std::size_t baseline,
                         const std::vector<LegendMatch>& matches) {
    Campaign campaign;
    campaign.runs = std::move(runs);
    campaign.baseline = baseline;
    const RunRecord& base = campaign.runs[baseline];
    for (std::size_t r = 0; r < campaign.runs.size(); ++r) {
        if (r == baseline) {
            continue;
        }
        const RunRecord& run = campaign.runs[r];
        std::set<std::string> matched;
        for (const ReceiverRecord& receiver : run.receivers) {
            const std::string legend = baselineLegend(receiver.name, matches);
            if (!matched.insert(legend).second) {
                throw RuntimeError("ambiscan: --compare: " + run.source + ": names the legend \"" +
                                   legend + "\" twice (after --match)");
            }
            const auto partner =
                std::find_if(base.receivers.begin(), base.receivers.end(),
                             [&legend](const ReceiverRecord& b) { return b.name == legend; });
            if (partner == base.receivers.end()) {
                campaign.unmatched.push_back({r, receiver.name, false});
                continue;
            }
            ReceiverComparison c = compareReceivers(*partner, receiver);
            c.run = r;
            campaign.comparisons.push_back(std::move(c));
        }
        for (const ReceiverRecord& b : base.receivers) {
            if (matched.count(b.name) == 0) {
                campaign.unmatched.push_back({r, b.name, true});
            }
        }
    }
    adjustForMultiplicity(campaign);
    return campaign;
}

}  // namespace ambiscan::campaign
