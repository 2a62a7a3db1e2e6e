#include "campaign/ReceiverComparison.hpp"

#include "campaign/FisherExact.hpp"
#include "campaign/ScoreIntervals.hpp"

#include <limits>

namespace ambiscan::campaign {

namespace {

double percentOf(std::size_t k, std::size_t n) {
    return n == 0 ? std::numeric_limits<double>::quiet_NaN()
                  : 100 * static_cast<double>(k) / static_cast<double>(n);
}

RateComparison compareRates(std::size_t k1, std::size_t n1, std::size_t k2, std::size_t n2) {
    RateComparison c;
    c.baselineCount = k1;
    c.baselineAttempts = n1;
    c.count = k2;
    c.attempts = n2;
    c.baselinePercent = percentOf(k1, n1);
    c.percent = percentOf(k2, n2);
    c.differencePercent = c.percent - c.baselinePercent;
    const evidence::Interval d = newcombeDifference95(k1, n1, k2, n2);
    c.differenceCi95 = {100 * d.lower, 100 * d.upper};
    c.fisherP = fisherExactP(k1, n1 - k1, k2, n2 - k2);
    c.pHolm = c.fisherP;
    return c;
}

}  // namespace

ReceiverComparison compareReceivers(const ReceiverRecord& baseline, const ReceiverRecord& other) {
    ReceiverComparison c;
    c.receiver = baseline.name;
    c.legendInRun = other.name;
    c.reliability = compareRates(baseline.good, baseline.attempts, other.good, other.attempts);
    c.correctFix = compareRates(baseline.times.correct(), baseline.attempts, other.times.correct(),
                                other.attempts);
    c.time.test = mannWhitney(baseline.times, other.times);
    c.time.pHolm = c.time.test.p;
    c.time.shift = hodgesLehmannShift(baseline.times, other.times);
    return c;
}

}  // namespace ambiscan::campaign
