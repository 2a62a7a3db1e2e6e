#include "report/SequentialJson.hpp"

#include <gtest/gtest.h>

namespace ambiscan::report {
namespace {

// The keys --decide adds sit where the README's table puts them: the sequence right after the
// fixed-n interval, the gate's "sequential" after its "passed", each receiver's at its end.
// After 5 clean attempts: 75 more to pass, 4 events to fail (the exact tails of
// SequentialGate_test).
TEST(SequentialJson, KeysLandBesideWhatTheyQualify) {
    evidence::SequentialRun run =
        evidence::startSequentialRun({"RxA"}, {95.0, std::nullopt}, 1.5, 0.002);
    evidence::addRecords(run, Matrix(5, 5, 0.0));
    Json summary;
    summary["data_sets"] = Json::array(
        {{{"name", "RxA"}, {"reliability_ci95_percent", {47.8, 100}}, {"ttff_seconds", 1}}});
    summary["gates"] = Json::array({{{"gate", "require-reliability"},
                                     {"threshold", 95},
                                     {"passed", true},
                                     {"receivers", {{{"name", "RxA"}, {"passed", true}}}}}});
    addSequentialKeys(summary, run, {{41.2, 100}});
    EXPECT_EQ(summary["data_sets"][0].dump(),
              R"({"name":"RxA","reliability_ci95_percent":[47.8,100],)"
              R"("reliability_cs95_percent":[41.2,100.0],"ttff_seconds":1})");
    EXPECT_EQ(summary["gates"][0].dump(),
              R"({"gate":"require-reliability","threshold":95,"passed":true,)"
              R"("sequential":{"decision":"CONTINUE","M":1.5,"F":0.002},)"
              R"("receivers":[{"name":"RxA","passed":true,"sequential":{"decision":"CONTINUE",)"
              R"("at_attempt":null,"events":0,"more_attempts_to_pass":75,)"
              R"("more_attempts_to_fail":4}}]})");
}

}  // namespace
}  // namespace ambiscan::report
