#include "evidence/SequentialGate.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace ambiscan::evidence {
namespace {

// A 95 % reliability gate with the default bad-receiver factor and risk.
const SequentialRule kGate95{0.05, 1.5, 0.002};

// By hand: a clean run passes once 0.925^n <= 0.002; 0.925^80 = 0.001956 and
// 0.925^79 = 0.002114. Three events in five attempts at ER = 5 %:
// P(X >= 3) = 10·0.05³·0.95² + 5·0.05⁴·0.95 + 0.05⁵ = 0.001158 <= 0.002 (FAIL); in six attempts
// the same tail is 0.002230 (not yet). Two events in two: 0.05² = 0.0025, not a FAIL.
TEST(SequentialGate, LimitsMatchTheTailsWorkedByHand) {
    EXPECT_FALSE(passesAt(kGate95, 79, 0));
    EXPECT_TRUE(passesAt(kGate95, 80, 0));
    EXPECT_TRUE(failsAt(kGate95, 5, 3));
    EXPECT_FALSE(failsAt(kGate95, 6, 3));
    EXPECT_FALSE(failsAt(kGate95, 2, 2));
    EXPECT_TRUE(failsAt(kGate95, 3, 3));  // 0.05³
    EXPECT_EQ(decisionAt(kGate95, 40, 0), SequentialDecision::Continue);
    // Where both hold, FAIL: a rule whose PASS and FAIL regions overlap (M·ER = 1).
    const SequentialRule overlap{0.5, 2, 0.3};
    EXPECT_TRUE(passesAt(overlap, 2, 1));
    EXPECT_TRUE(failsAt(overlap, 2, 2));
    EXPECT_EQ(decisionAt(overlap, 2, 1), SequentialDecision::Pass);
    EXPECT_EQ(decisionAt(overlap, 2, 2), SequentialDecision::Fail);
}

// Clean attempts fed one by one: undecided through 79, PASS at 80; later attempts, events or
// not, change nothing. Events at the start: FAIL at the third.
TEST(SequentialGate, FirstDecisionStandsAndLaterRowsOnlyCount) {
    SequentialGate clean{kGate95};
    for (int i = 0; i < 79; ++i) {
        clean.add(false);
    }
    EXPECT_EQ(clean.decision, SequentialDecision::Continue);
    clean.add(false);
    EXPECT_EQ(clean.decision, SequentialDecision::Pass);
    EXPECT_EQ(clean.decidedAt, 80u);
    EXPECT_EQ(clean.eventsAtDecision, 0u);
    for (int i = 0; i < 10; ++i) {
        clean.add(true);
    }
    EXPECT_EQ(clean.decision, SequentialDecision::Pass);
    EXPECT_EQ(clean.attempts, 90u);
    EXPECT_EQ(clean.events, 10u);

    SequentialGate bad{kGate95};
    bad.add(true);
    bad.add(false);
    bad.add(true);
    bad.add(false);
    EXPECT_EQ(bad.decision, SequentialDecision::Continue);
    bad.add(true);  // 3 of 5
    EXPECT_EQ(bad.decision, SequentialDecision::Fail);
    EXPECT_EQ(bad.decidedAt, 5u);
    EXPECT_EQ(bad.eventsAtDecision, 3u);
}

// The first clean-run PASS with k events, and the fewest further attempts to PASS (all clean)
// or FAIL (all events), from binomial tails summed term by term in exact fractions:
//   from fractions import Fraction as Fr; from math import comb
//   ER, M, F = Fr(5,100), Fr(3,2), Fr(2,1000)
//   atmost = lambda n, p, k: sum(comb(n,i)*p**i*(1-p)**(n-i) for i in range(min(k,n)+1))
//   passes = lambda n, k: atmost(n, M*ER, k) <= F
//   fails = lambda n, k: k > 0 and 1 - atmost(n, ER, k-1) <= F
//   (first j >= 1 with passes(n+j, k), resp. fails(n+j, k+j))
TEST(SequentialGate, AttemptsStillNeededMatchExactTails) {
    struct Case {
        std::size_t attempts, events, toPass, toFail;
    };
    for (const Case c :
         {Case{0, 0, 80, 3}, Case{10, 0, 70, 5}, Case{20, 1, 90, 5}, Case{50, 2, 85, 7},
          Case{5, 2, 130, 2}, Case{30, 1, 80, 6}, Case{100, 4, 80, 10}}) {
        SCOPED_TRACE(std::to_string(c.attempts) + " attempts, " + std::to_string(c.events));
        EXPECT_EQ(moreAttemptsToPass(kGate95, c.attempts, c.events), c.toPass);
        EXPECT_EQ(moreAttemptsToFail(kGate95, c.attempts, c.events), c.toFail);
    }
    // First PASS with 1, 2, 3 events: attempts 110, 135, 158.
    EXPECT_EQ(moreAttemptsToPass(kGate95, 1, 1), 109u);
    EXPECT_EQ(moreAttemptsToPass(kGate95, 2, 2), 133u);
    EXPECT_EQ(moreAttemptsToPass(kGate95, 3, 3), 155u);
    // A 100 % gate can never pass, a 0 % gate never fail.
    EXPECT_FALSE(moreAttemptsToPass({0, 1.5, 0.002}, 10, 0).has_value());
    EXPECT_FALSE(moreAttemptsToFail({1, 1.5, 0.002}, 10, 0).has_value());
    EXPECT_EQ(moreAttemptsToFail({0, 1.5, 0.002}, 10, 0), 1u);  // any event fails
}

// The limits walked attempt by attempt agree with the tails asked directly at every count.
TEST(SequentialGate, WalkedLimitsAgreeWithDirectTails) {
    for (const SequentialRule rule :
         {kGate95, SequentialRule{0.10, 1.5, 0.002}, SequentialRule{0.01, 2, 0.01},
          SequentialRule{0.3, 1.2, 0.05}}) {
        SequentialLimits limits;
        for (std::size_t n = 1; n <= 120; ++n) {
            limits = nextLimits(rule, limits);
            for (std::size_t k = 0; k <= n; ++k) {
                const bool passes = limits.passMost && k <= *limits.passMost;
                const bool fails = limits.failLeast && k >= *limits.failLeast;
                ASSERT_EQ(passes, passesAt(rule, n, k)) << n << " " << k;
                ASSERT_EQ(fails, failsAt(rule, n, k)) << n << " " << k;
            }
        }
    }
}

// Simulated receivers against a 95 % gate: at 99 % they should pass, at 90 % fail. A wrong
// decision needs an outcome the rule holds below its risk (0.002) at the bad or the required
// rate, so among 200 receivers of each kind at most a handful may go wrong; all decide soon.
TEST(SequentialGate, SimulatedReceiversDecideRightWithinTheirRisk) {
    std::mt19937 random(20261209);
    const auto decide = [&random](double goodShare) {
        SequentialGate gate{kGate95};
        const auto limit = static_cast<std::uint32_t>(goodShare * 4294967296.0);
        while (gate.decision == SequentialDecision::Continue && gate.attempts < 5000) {
            gate.add(random() >= limit);
        }
        return gate;
    };
    std::size_t wrong99 = 0, wrong90 = 0, longest = 0;
    for (int i = 0; i < 200; ++i) {
        const SequentialGate good = decide(0.99);
        const SequentialGate poor = decide(0.90);
        wrong99 += good.decision != SequentialDecision::Pass ? 1 : 0;
        wrong90 += poor.decision != SequentialDecision::Fail ? 1 : 0;
        longest = std::max({longest, good.attempts, poor.attempts});
    }
    EXPECT_LE(wrong99, 3u);
    EXPECT_LE(wrong90, 3u);
    EXPECT_LT(longest, 5000u);
}

}  // namespace
}  // namespace ambiscan::evidence
