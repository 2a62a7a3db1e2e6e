#include "analysis/gates.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::analysis {
namespace {

DataSetStatistics receiver(const std::string& name, double percentGood, double init90) {
    DataSetStatistics s;
    s.name = name;
    s.PercentGood = percentGood;
    s.Init90 = init90;
    return s;
}

TEST(Gates, EachReceiverAgainstEachGateLimitsIncluded) {
    const RunStatistics stats = {receiver("A", 99, 30), receiver("B", 98.999, NAN),
                                 receiver("C", 100, 30.5)};
    const std::vector<GateResult> gates = evaluateGates(stats, {99.0, 30.0});
    ASSERT_EQ(gates.size(), 2u);
    EXPECT_EQ(gates[0].gate, "require-reliability");
    EXPECT_EQ(gates[1].gate, "require-p90");
    EXPECT_EQ(gates[1].threshold, 30);
    std::vector<bool> reliability, p90;
    for (const GateReceiver& r : gates[0].receivers)
        reliability.push_back(r.passed);
    for (const GateReceiver& r : gates[1].receivers)
        p90.push_back(r.passed);
    EXPECT_EQ(reliability, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(p90, (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(gates[0].passed());
    EXPECT_EQ(gateFailureLines(gates),
              (std::vector<std::string>{
                  "Gate failed: B reliability 98.999 % is below the required 99 % "
                  "(--require-reliability)",
                  "Gate failed: B never reaches 90 % of its inits; required within 30 s "
                  "(--require-p90)",
                  "Gate failed: C 90 % init time 30.5 s is above the required 30 s "
                  "(--require-p90)"}));
}

TEST(Gates, NoneSetNoneEvaluated) {
    EXPECT_TRUE(evaluateGates({receiver("A", 0, NAN)}, {}).empty());
}

}  // namespace
}  // namespace ambiscan::analysis
