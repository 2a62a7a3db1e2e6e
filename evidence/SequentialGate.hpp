#pragma once

#include <cstddef>
#include <optional>

namespace ambiscan::evidence {

// How a sequential gate tests a receiver: an attempt is an "event" (a bad fix, a slow fix) and
// the gate requires an event rate of at most `eventRate`. The test decides PASS once so few
// events would be unlikely (at most `risk`) for a receiver whose rate is `badFactor` times the
// required one, FAIL once so many would be unlikely at exactly the required rate.
struct SequentialRule {
    double eventRate = 0;    // ER, 0..1
    double badFactor = 1.5;  // M
    double risk = 0.002;     // F
};

enum class SequentialDecision { Continue, Pass, Fail };

// P(X <= events) <= F with X ~ Binomial(attempts, min(1, M * ER)).
bool passesAt(const SequentialRule& rule, std::size_t attempts, std::size_t events);
// P(X >= events) <= F with X ~ Binomial(attempts, ER).
bool failsAt(const SequentialRule& rule, std::size_t attempts, std::size_t events);
// FAIL where both hold.
SequentialDecision decisionAt(const SequentialRule& rule, std::size_t attempts, std::size_t events);

// The fewest further attempts j >= 1 after which the test could still decide: PASS at
// (attempts + j, events) when every one of them is clean, FAIL at (attempts + j, events + j)
// when every one is an event. Empty when no number of attempts could (a rule that can never
// pass or fail, such as a required rate of 0 for PASS).
std::optional<std::size_t> moreAttemptsToPass(const SequentialRule& rule, std::size_t attempts,
                                              std::size_t events);
std::optional<std::size_t> moreAttemptsToFail(const SequentialRule& rule, std::size_t attempts,
                                              std::size_t events);

// The limits after n attempts, which only grow with n: PASS holds for at most `passMost`
// events (none when no count passes), FAIL for `failLeast` events or more (none when no count
// fails). Walked one attempt at a time, at one or two binomial tails each.
struct SequentialLimits {
    std::size_t attempts = 0;
    std::optional<std::size_t> passMost;
    std::optional<std::size_t> failLeast;
};
SequentialLimits nextLimits(const SequentialRule& rule, const SequentialLimits& limits);

// One receiver against one sequential gate, fed its attempts in row order. The first attempt at
// which PASS or FAIL holds decides; later attempts are counted but change nothing.
struct SequentialGate {
    SequentialGate() = default;
    explicit SequentialGate(const SequentialRule& r) : rule(r) {}

    SequentialRule rule;
    std::size_t attempts = 0, events = 0;
    SequentialLimits limits;  // at `attempts` while undecided, frozen once decided
    SequentialDecision decision = SequentialDecision::Continue;
    std::size_t decidedAt = 0;  // 1-based attempt; 0 while undecided
    std::size_t eventsAtDecision = 0;

    void add(bool event);
};

}  // namespace ambiscan::evidence
