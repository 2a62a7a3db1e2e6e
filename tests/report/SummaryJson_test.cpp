#include "report/SummaryJson.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/base/RuntimeError.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::report {
namespace {

struct Sample {
    analysis::RunResults results;
    evidence::RunEvidence evidence;
};

Sample sample() {
    Sample s;
    s.results.title = "Test\xff";  // not UTF-8
    s.results.firstStart = 345000;
    s.results.lastStart = 345900;
    s.results.hours = 0.25;
    s.results.dataSets.resize(2);
    evidence::DataSetEvidence a;
    a.name = "A";
    a.attempts = 4;
    a.good = 3;
    a.bad = 1;
    a.reliabilityPercent = 75;
    a.mean = 0.1 + 0.2;  // 0.30000000000000004 must read back as itself
    a.p90 = std::numeric_limits<double>::quiet_NaN();
    a.p90Ci95 = {7, std::numeric_limits<double>::quiet_NaN()};
    a.max = std::numeric_limits<double>::infinity();
    a.timeToCorrectFixP50 = 12;
    a.timeToCorrectFixP50Ci95 = {std::numeric_limits<double>::quiet_NaN(), 14};
    a.timeToCorrectFixP90 = std::numeric_limits<double>::infinity();
    a.timeToCorrectFixP90Ci95 = {30, std::numeric_limits<double>::infinity()};
    a.badFixes.push_back({2, 345300, 0.153, -0.021, 0.3});
    evidence::DataSetEvidence b = a;
    b.name = "B";
    s.evidence.dataSets = {a, b};
    evidence::Comparison c;
    c.a = 0;
    c.b = 1;
    c.pairs = 4;
    c.aGoodBBad = 1;
    c.mcnemarExactP = 1;
    s.evidence.comparisons = {c};
    return s;
}

// The values of a run are checked end to end (tests/e2e/summary_test.cpp); here what only the
// writer decides: null for what is not defined, integers for counts, the order of the keys.
TEST(SummaryJson, UndefinedNumbersAsNullCountsAsIntegersKeysInOrder) {
    const Sample s = sample();
    const Json j = summaryJson(s.results, s.evidence, {"inits.txt", "00ff", 4});
    const Json& a = j["data_sets"][0];
    EXPECT_TRUE(a["attempts"].is_number_integer());
    EXPECT_TRUE(a["bad_fixes"][0]["row"].is_number_integer());
    EXPECT_TRUE(a["ttff_seconds"]["p90"].is_null());
    EXPECT_TRUE(a["ttff_seconds"]["max"].is_null());  // infinite
    EXPECT_EQ(a["ttff_seconds"]["p90_ci95"][0], 7);
    EXPECT_TRUE(a["ttff_seconds"]["p90_ci95"][1].is_null());
    EXPECT_EQ(j["comparisons"][0]["b"], "B");  // named, not numbered
    EXPECT_TRUE(j["comparisons"][0]["time_to_correct_fix"]["b_slower"].is_null());
    EXPECT_EQ(j["schema"], "ambiscan-summary/2");
    std::vector<std::string> keys;
    for (const auto& item : j.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"schema", "title", "label", "note", "program",
                                              "input", "run", "data_sets", "comparisons"}));
}

// +Inf ("no correct fix within 500 s") and NaN ("n attempts cannot bound it") are both null;
// not_reached beside them tells them apart.
TEST(SummaryJson, NeverReachedIsNullWithNotReachedBesideIt) {
    const Sample s = sample();
    const Json t = summaryJson(s.results, s.evidence,
                               {"inits.txt", "", 4})["data_sets"][0]["time_to_correct_fix_s"];
    EXPECT_EQ(t["p50"], 12);
    EXPECT_EQ(t["p50_not_reached"], false);
    EXPECT_TRUE(t["p50_ci95"][0].is_null());
    EXPECT_EQ(t["p50_ci95_not_reached"], Json::array({false, false}));
    EXPECT_TRUE(t["p90"].is_null());
    EXPECT_EQ(t["p90_not_reached"], true);
    EXPECT_EQ(t["p90_ci95"][0], 30);
    EXPECT_TRUE(t["p90_ci95"][1].is_null());
    EXPECT_EQ(t["p90_ci95_not_reached"], Json::array({false, true}));
}

TEST(SummaryJson, TextReadsBackToTheSameDoublesAndIsUtf8) {
    const Sample s = sample();
    const std::string text = summaryText(summaryJson(s.results, s.evidence, {"inits.txt", "", 4}));
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text.find("0.30000000000000004"), std::string::npos);
    const nlohmann::json back = nlohmann::json::parse(text);
    EXPECT_EQ(back["data_sets"][1]["ttff_seconds"]["mean"].get<double>(), 0.1 + 0.2);
    EXPECT_EQ(back["title"], "Test\xEF\xBF\xBD");  // the stray byte became U+FFFD
}

TEST(SummaryJson, FailedWriteNamesTheFileAndLeavesNothing) {
    testing::TempDir dir;
    const Sample s = sample();
    const auto path = dir / "missing-folder" / "summary.json";
    try {
        writeSummaryJson(path, summaryJson(s.results, s.evidence, {"inits.txt", "", 4}));
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("summary.json"), std::string::npos) << e.what();
    }
    writeSummaryJson(dir / "summary.json", summaryJson(s.results, s.evidence, {"x", "", 4}));
    EXPECT_EQ(nlohmann::json::parse(testing::readFile(dir / "summary.json"))["input"]["file"], "x");
}

}  // namespace
}  // namespace ambiscan::report
