#pragma once

#include <cstddef>
#include <string>

#include "campaign/HodgesLehmannShift.hpp"
#include "campaign/MannWhitney.hpp"
#include "campaign/RunSummary.hpp"
#include "evidence/Evidence.hpp"

namespace ambiscan::campaign {

// Two shares of independent samples: the baseline's k1 of n1 and the other run's k2 of n2.
struct RateComparison {
    std::size_t baselineCount = 0, baselineAttempts = 0, count = 0, attempts = 0;
    double baselinePercent = 0, percent = 0;
    double differencePercent = 0;         // percent - baselinePercent, in points
    evidence::Interval differenceCi95{};  // Newcombe's method 10, in points
    double fisherP = 1, pHolm = 1;
};

struct TimeComparison {
    MannWhitneyResult test;  // on T of all attempts, a the baseline
    double pHolm = 1;
    Shift shift;  // over the correct fixes; positive: the other run takes longer
};

// One receiver of another run against the baseline's receiver of the same (matched) legend.
struct ReceiverComparison {
    std::size_t run = 0;      // index of the other run
    std::string receiver;     // the baseline's legend
    std::string legendInRun;  // the other run's legend (differs under --match)
    RateComparison reliability, correctFix;
    TimeComparison time;

    // Significantly worse than the baseline after Holm's adjustment (p_holm < 0.05).
    bool lessReliable() const {
        return reliability.pHolm < 0.05 && reliability.differencePercent < 0;
    }
    bool slower() const { return time.pHolm < 0.05 && time.test.bLater > 0; }
    bool regression() const { return lessReliable() || slower(); }
};

// Every statistic of the comparison but the adjusted p-values (set once the family is known).
ReceiverComparison compareReceivers(const ReceiverRecord& baseline, const ReceiverRecord& other);

}  // namespace ambiscan::campaign
