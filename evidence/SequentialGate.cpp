#include "evidence/SequentialGate.hpp"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>

namespace ambiscan::evidence {

namespace {

// Beyond this many further attempts a decision is called out of reach: a test rig never runs
// that long, and the search stays short.
constexpr std::size_t kFarthest = std::size_t{1} << 40;

// P(X <= k), X ~ Binomial(n, p), with the ends of p worked out directly.
double atMost(std::size_t n, double p, std::size_t k) {
    if (k >= n || p <= 0) {
        return 1;
    }
    if (p >= 1) {
        return 0;
    }
    const boost::math::binomial_distribution<double> b(static_cast<double>(n), p);
    return boost::math::cdf(b, static_cast<double>(k));
}

// P(X >= k).
double atLeast(std::size_t n, double p, std::size_t k) {
    if (k == 0) {
        return 1;
    }
    if (k > n) {
        return 0;
    }
    if (p <= 0) {
        return 0;
    }
    if (p >= 1) {
        return 1;
    }
    const boost::math::binomial_distribution<double> b(static_cast<double>(n), p);
    return boost::math::cdf(boost::math::complement(b, static_cast<double>(k - 1)));
}

// The smallest j in 1..kFarthest with holds(j), for a condition that once true stays true.
template <class Holds>
std::optional<std::size_t> firstHolding(Holds holds) {
    std::size_t high = 1;
    while (!holds(high)) {
        if (high >= kFarthest) {
            return std::nullopt;
        }
        high *= 2;
    }
    std::size_t low = high / 2;  // fails, or 0
    while (high - low > 1) {
        const std::size_t mid = low + (high - low) / 2;
        (holds(mid) ? high : low) = mid;
    }
    return high;
}

}  // namespace

bool passesAt(const SequentialRule& rule, std::size_t attempts, std::size_t events) {
    return atMost(attempts, std::min(1.0, rule.badFactor * rule.eventRate), events) <= rule.risk;
}

bool failsAt(const SequentialRule& rule, std::size_t attempts, std::size_t events) {
    return atLeast(attempts, rule.eventRate, events) <= rule.risk;
}

SequentialDecision decisionAt(const SequentialRule& rule, std::size_t attempts,
                              std::size_t events) {
    if (failsAt(rule, attempts, events)) {
        return SequentialDecision::Fail;
    }
    return passesAt(rule, attempts, events) ? SequentialDecision::Pass
                                            : SequentialDecision::Continue;
}

std::optional<std::size_t> moreAttemptsToPass(const SequentialRule& rule, std::size_t attempts,
                                              std::size_t events) {
    // More clean attempts make X <= events only less likely: once PASS holds, it stays.
    return firstHolding([&](std::size_t j) { return passesAt(rule, attempts + j, events); });
}

std::optional<std::size_t> moreAttemptsToFail(const SequentialRule& rule, std::size_t attempts,
                                              std::size_t events) {
    // One more attempt that is an event: X' >= k + 1 needs X >= k, so FAIL, once held, stays.
    return firstHolding([&](std::size_t j) { return failsAt(rule, attempts + j, events + j); });
}

SequentialLimits nextLimits(const SequentialRule& rule, const SequentialLimits& limits) {
    SequentialLimits next{limits.attempts + 1, limits.passMost, limits.failLeast};
    const std::size_t n = next.attempts;
    // PASS at (n - 1, k) implies PASS at (n, k): the most events that pass only grows.
    std::size_t k = next.passMost ? *next.passMost + 1 : 0;
    while (k <= n && passesAt(rule, n, k)) {
        next.passMost = k++;
    }
    // FAIL at (n, k) implies FAIL at (n - 1, k) and FAIL at (n - 1, k) implies FAIL at
    // (n, k + 1): the least failing count stays or grows by one. Without one so far, the first
    // count that could is n itself (P(X >= n) is the smallest tail).
    if (next.failLeast) {
        if (!failsAt(rule, n, *next.failLeast)) {
            ++*next.failLeast;
        }
    } else if (failsAt(rule, n, n)) {
        next.failLeast = n;
    }
    return next;
}

void SequentialGate::add(bool event) {
    ++attempts;
    events += event ? 1 : 0;
    if (decision != SequentialDecision::Continue) {
        return;
    }
    limits = nextLimits(rule, limits);
    if (limits.failLeast && events >= *limits.failLeast) {
        decision = SequentialDecision::Fail;
    } else if (limits.passMost && events <= *limits.passMost) {
        decision = SequentialDecision::Pass;
    }
    if (decision != SequentialDecision::Continue) {
        decidedAt = attempts;
        eventsAtDecision = events;
    }
}

}  // namespace ambiscan::evidence
