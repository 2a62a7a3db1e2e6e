#include "evidence/SequentialRun.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ambiscan::evidence {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Rows of two receivers: start, t1, t2, E1 N1 U1, E2 N2 U2.
Matrix records(const std::vector<std::vector<double>>& rows) {
    Matrix m(rows.size(), 9);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < 9; ++c) {
            m(r, c) = rows[r][c];
        }
    }
    return m;
}

TEST(SequentialRun, CountsBadFixesAndSlowAttemptsAsTheFixedGatesDo) {
    // A 30 s gate: 30.5 s still counts by 30 s, the next double above it does not; NaN and +Inf
    // never fix, -Inf fixed at once.
    EXPECT_FALSE(slowerThan(30.5, 30));
    EXPECT_TRUE(slowerThan(std::nextafter(30.5, 31.0), 30));
    EXPECT_TRUE(slowerThan(kNaN, 30));
    EXPECT_TRUE(slowerThan(kInf, 30));
    EXPECT_FALSE(slowerThan(-kInf, 30));

    SequentialRun run = startSequentialRun({"RxA", "RxB"}, {95.0, 30.0}, 1.5, 0.002);
    ASSERT_EQ(run.gates.size(), 2u);
    EXPECT_EQ(run.gates[0].gate, "require-reliability");
    EXPECT_NEAR(run.gates[0].receivers[0].rule.eventRate, 0.05, 1e-15);
    EXPECT_EQ(run.gates[1].gate, "require-p90");
    EXPECT_EQ(run.gates[1].receivers[1].rule.eventRate, 0.10);
    // RxA: good and fast, then a bad fix (0.13 m east); RxB: slow (40 s) and a NaN error.
    addRecords(run,
               records({{1, 10, 40, 0, 0, 0, 0, 0, 0}, {2, 20, kNaN, 0.13, 0, 0, 0, 0, kNaN}}));
    EXPECT_EQ(run.records, 2u);
    EXPECT_EQ(run.tallies[0].good, 1u);
    EXPECT_EQ(run.tallies[1].good, 1u);
    EXPECT_EQ(run.gates[0].receivers[0].events, 1u);
    EXPECT_EQ(run.gates[0].receivers[1].events, 1u);
    EXPECT_EQ(run.gates[1].receivers[0].events, 0u);
    EXPECT_EQ(run.gates[1].receivers[1].events, 2u);
    // Two events in two attempts at ER = 10 %: 0.01 > 0.002, still open; a third FAILs (0.001).
    EXPECT_EQ(run.gates[1].decision(), SequentialDecision::Continue);
    addRecords(run, records({{1, 10, 40, 0, 0, 0, 0, 0, 0}, {1, 10, 40, 0, 0, 0, 0, 0, 0}}), 1);
    EXPECT_EQ(run.records, 3u);
    EXPECT_EQ(run.gates[1].receivers[1].decision, SequentialDecision::Fail);
    EXPECT_EQ(run.gates[1].receivers[1].decidedAt, 3u);
    EXPECT_EQ(run.gates[1].decision(), SequentialDecision::Fail);
    EXPECT_FALSE(run.allDecided());
}

TEST(SequentialRun, ReliabilitySequenceInPercentPerReceiver) {
    SequentialRun run = startSequentialRun({"RxA"}, {95.0, std::nullopt}, 1.5, 0.002);
    Matrix clean(10, 5, 0.0);
    addRecords(run, clean);
    const std::vector<Interval> cs = reliabilitySequences95(run);
    ASSERT_EQ(cs.size(), 1u);
    EXPECT_NEAR(cs[0].lower, 58.31197243434639, 1e-9);  // the scipy root for 10 of 10
    EXPECT_EQ(cs[0].upper, 100);
}

}  // namespace
}  // namespace ambiscan::evidence
