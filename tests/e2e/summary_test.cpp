// summary.json as a run writes it, read back and checked against values worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

// Two receivers, four paired attempts. A's attempt 2 has a 0.3 m height error (bad), its
// attempt 3 lies on both limits (good); B's attempt 3 is 0.5 m off to the north (bad).
const char* const kPairedInits =
    "345000 3    5    0.01  0.02  0.03  0.01 0    0\n"
    "345300 7.9  7.9  0.153 -0.021 0.3  0    0    0\n"
    "345600 8    10   0.12  0     -0.22 0    0.5  0\n"
    "345900 12.5 11.5 -0.01 0     0.05  0.03 0.04 0\n";

std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    return fields;
}

std::string asCsvNumber(const nlohmann::json& v) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", v.get<double>());
    return text;
}

TEST(Summary, RunWritesTheEvidenceOfBothReceiversAndTheirComparison) {
    TempDir dir;
    writeFile(dir / "inits.txt", kPairedInits);
    const RunResult run = runProgram(dir.path(), {"T", "A", "B"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));

    EXPECT_EQ(j["schema"], "ambiscan-summary/2");
    EXPECT_EQ(j["program"]["version"], "1.1.0");
    EXPECT_EQ(j["title"], "T");
    EXPECT_EQ(j["input"]["file"], "inits.txt");
    // As sha256sum prints it for these bytes.
    EXPECT_EQ(j["input"]["sha256"],
              "3572277bc040fa7c526780310d35ed4d5e38b87b2578249be5d7fa715b7c17af");
    EXPECT_EQ(j["input"]["records"], 4);
    EXPECT_EQ(j["input"]["data_sets"], 2);
    EXPECT_EQ(j["run"]["first_start_gps_s"], 345000);
    EXPECT_EQ(j["run"]["last_start_gps_s"], 345900);
    EXPECT_EQ(j["run"]["hours"], 0.25);
    ASSERT_EQ(j["data_sets"].size(), 2u);

    const auto& a = j["data_sets"][0];
    EXPECT_EQ(a["name"], "A");
    EXPECT_EQ(a["good"], 3);
    EXPECT_EQ(a["bad"], 1);
    // 3 of 4: Clopper-Pearson 19.41 % to 99.37 % (exact binomial limits tables).
    EXPECT_NEAR(a["reliability_ci95_percent"][0].get<double>(), 19.41, 0.005);
    EXPECT_NEAR(a["reliability_ci95_percent"][1].get<double>(), 99.37, 0.005);
    const auto& t = a["ttff_seconds"];
    EXPECT_EQ(t["p90"], 12);                      // 12.5 s falls in the 12 s bin
    EXPECT_TRUE(t["median_ci95"][0].is_null());   // four attempts bound no median
    EXPECT_TRUE(t["p90_correct_fix"].is_null());  // 3, 8, 12.5 s correct: 75 % at most
    EXPECT_EQ(a["correct_fix"]["percent"], 75);
    // Four attempts, 90 %: P(B <= 1) = 0.0037 <= 0.025 < P(B <= 2): the 2nd time, 7.9 s,
    // binned to 8 s; nothing bounds it from above.
    EXPECT_EQ(t["p90_ci95"][0], 8);
    EXPECT_TRUE(t["p90_ci95"][1].is_null());
    EXPECT_EQ(t["p90_ci95_not_reached"], nlohmann::json::array({false, false}));
    // Times to a correct fix 3, Inf (bad), 8, 12.5: the 2nd is 8 s, the 4th never reached.
    const auto& tc = a["time_to_correct_fix_s"];
    EXPECT_EQ(tc["p50"], 8);
    EXPECT_TRUE(tc["p90"].is_null());
    EXPECT_EQ(tc["p90_not_reached"], true);
    EXPECT_EQ(tc["p90_ci95"][0], 8);
    // Every fix counts here, the bad one's 0.3 m height too.
    const auto& all = a["position_error_m"]["all_fixes"];
    EXPECT_EQ(all["fixes"], 4);
    EXPECT_NEAR(all["horizontal_p50"].get<double>(), std::sqrt(0.0005), 1e-15);
    EXPECT_NEAR(all["horizontal_p95"].get<double>(), std::sqrt(0.153 * 0.153 + 0.021 * 0.021),
                1e-15);
    EXPECT_EQ(all["vertical_abs_p95"], 0.3);
    // good, bad, good, good: 3 runs against 2.5 expected, variance 0.25, z = 1, p = 0.3173
    // (scipy: 2 * stats.norm.sf(1.0)); the bad indicator's lag-1 autocorrelation -0.3125 / 0.75.
    EXPECT_EQ(a["independence"]["runs"], 3);
    EXPECT_NEAR(a["independence"]["runs_test_p"].get<double>(), 0.31731050786291415, 1e-12);
    EXPECT_NEAR(a["independence"]["lag1_autocorrelation"].get<double>(), -0.3125 / 0.75, 1e-12);
    const auto& p = a["position_error_m"];
    EXPECT_NEAR(p["horizontal_p50"].get<double>(), std::sqrt(0.0005), 1e-15);  // 2nd of 3
    EXPECT_EQ(p["horizontal_p95"], 0.12);
    EXPECT_EQ(p["vertical_abs_p95"], 0.22);
    ASSERT_EQ(a["bad_fixes"].size(), 1u);
    EXPECT_EQ(a["bad_fixes"][0]["row"], 2);
    EXPECT_EQ(a["bad_fixes"][0]["start_gps_s"], 345300);
    EXPECT_EQ(a["bad_fixes"][0]["height"], 0.3);
    EXPECT_EQ(j["data_sets"][1]["bad_fixes"][0]["row"], 3);

    ASSERT_EQ(j["comparisons"].size(), 1u);
    const auto& c = j["comparisons"][0];
    EXPECT_EQ(c["a"], "A");
    EXPECT_EQ(c["b"], "B");
    EXPECT_EQ(c["pairs"], 4);
    EXPECT_EQ(c["reliability"]["a_good_b_bad"], 1);
    EXPECT_EQ(c["reliability"]["a_bad_b_good"], 1);
    EXPECT_EQ(c["reliability"]["mcnemar_exact_p"], 1);  // 2 * P(X <= 1), X ~ Bin(2, 1/2)
    EXPECT_EQ(c["reliability"]["p_holm"], 1);
    EXPECT_EQ(c["reliability"]["difference_percent"], 0);
    // Newcombe's method 10, computed in Python (tests/evidence/PairedDifference_test.cpp has the
    // formula; newcombe10(2, 1, 1, 0)): -0.5522170552761342 to 0.5522170552761342.
    EXPECT_NEAR(c["reliability"]["difference_ci95_percent"][0].get<double>(), -55.22170552761342,
                1e-9);
    EXPECT_NEAR(c["reliability"]["difference_ci95_percent"][1].get<double>(), 55.22170552761342,
                1e-9);
    // Times to a correct fix: A 3 Inf 8 12.5, B 5 7.9 Inf 11.5; d = 2, -Inf, Inf, -1. Ranks 1
    // (-1), 2 (2), 3.5 3.5 (the infinite ones): W+ = 5.5 against 5, so b is the slower. Of the
    // 16 sign patterns of 1, 2, 3.5, 3.5, eight reach 5.5 or more and ten 5.5 or less: p = 1.
    const auto& tc2 = c["time_to_correct_fix"];
    EXPECT_EQ(tc2["nonzero_pairs"], 4);
    EXPECT_EQ(tc2["wilcoxon_p"], 1);
    EXPECT_EQ(tc2["p_holm"], 1);
    EXPECT_EQ(tc2["b_slower"], true);
    EXPECT_EQ(tc2["both_correct"], 2);
    EXPECT_EQ(tc2["only_a_correct"], 1);
    EXPECT_EQ(tc2["only_b_correct"], 1);
    // Walsh averages of 2 and -1: -1, 0.5, 2; two rows bound nothing.
    EXPECT_EQ(tc2["hodges_lehmann_s"], 0.5);
    EXPECT_TRUE(tc2["hodges_lehmann_ci95_s"][0].is_null());
    EXPECT_FALSE(c.contains("ttff"));
}

TEST(Summary, NumbersAreThoseOfStatsCsvUnrounded) {
    TempDir dir;
    writeFile(dir / "inits.txt", kPairedInits);
    ASSERT_EQ(runProgram(dir.path(), {"T", "A", "B"}).status, 0);
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));
    std::stringstream csv(readFile(dir / "stats.csv"));
    std::string line;
    std::getline(csv, line);  // header
    for (std::size_t k = 0; k < 2; ++k) {
        ASSERT_TRUE(std::getline(csv, line));
        const std::vector<std::string> f = csvFields(line);
        const auto& d = j["data_sets"][k];
        EXPECT_EQ(f[1], d["name"]);
        EXPECT_EQ(f[2], asCsvNumber(j["run"]["hours"]));
        EXPECT_EQ(f[3], asCsvNumber(d["reliability_percent"]));
        EXPECT_EQ(f[4], asCsvNumber(d["ttff_seconds"]["p90"]));
        EXPECT_EQ(std::stod(f[5]), std::round(d["ttff_seconds"]["max"].get<double>()));
        EXPECT_EQ(f[6], asCsvNumber(d["ttff_seconds"]["mean"]));
        EXPECT_EQ(std::stod(f[7]), std::floor(d["ttff_seconds"]["median"].get<double>()));
        const auto& p = d["position_error_m"];
        EXPECT_EQ(f[9], asCsvNumber(p["east"]["mean"]));
        EXPECT_EQ(f[10], asCsvNumber(p["east"]["sigma"]));
        EXPECT_EQ(f[13], asCsvNumber(p["height"]["mean"]));
        EXPECT_EQ(f[14], asCsvNumber(p["height"]["sigma"]));
    }
    // Unrounded: A's mean time is 31.4 / 4 = 7.85, its median (7.9 + 8) / 2.
    EXPECT_EQ(j["data_sets"][0]["ttff_seconds"]["mean"], 7.85);
    EXPECT_EQ(j["data_sets"][0]["ttff_seconds"]["median"], 7.95);
}

TEST(Summary, OneReceiverHasNoComparisons) {
    TempDir dir;
    writeFile(dir / "inits.txt", "100 10 0.01 0.01 0.01\n");
    ASSERT_EQ(runProgram(dir.path(), {"T", "A"}).status, 0);
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));
    EXPECT_TRUE(j["comparisons"].is_array());
    EXPECT_TRUE(j["comparisons"].empty());
}

TEST(Summary, UnwritableSummaryIsAnErrorNamingIt) {
    TempDir dir;
    writeFile(dir / "inits.txt", kPairedInits);
    std::filesystem::create_directory(dir / "summary.json");
    const RunResult run = runProgram(dir.path(), {"T", "A", "B"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("summary.json"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "summary.json"));
}

}  // namespace
}  // namespace ambiscan::testing
