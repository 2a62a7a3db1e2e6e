// The runs a new user tried, whose verdicts said the wrong thing, run again end to end: the
// report's sentence must be right in direction, size and certainty, and summary.json must hold
// what the sentence rests on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

struct Row {
    std::string timeA, timeB;
    double errorA = 0.01, errorB = 0.01;  // east error, metres (0.6 is a wrong fix)
};

std::string inits(std::size_t rows, const std::function<Row(std::size_t)>& row) {
    std::string text;
    char line[256];
    for (std::size_t r = 0; r < rows; ++r) {
        const Row x = row(r);
        std::snprintf(line, sizeof line, "%zu %s %s %g 0.01 0.01 %g 0.01 0.01\n", 345000 + 60 * r,
                      x.timeA.c_str(), x.timeB.c_str(), x.errorA, x.errorB);
        text += line;
    }
    return text;
}

struct Outcome {
    nlohmann::json summary;
    std::string report;
};

Outcome runOn(const std::string& text) {
    TempDir dir;
    writeFile(dir / "inits.txt", text);
    const RunResult run = runProgram(dir.path(), {"T", "RxA", "RxB"});
    EXPECT_EQ(run.status, 0) << run.err;
    return {nlohmann::json::parse(readFile(dir / "summary.json")), readFile(dir / "report.html")};
}

// The verdict's list item as the page holds it, unescaped back to the sentence.
std::string verdict(const std::string& report) {
    const std::size_t from = report.find("<ul class=\"verdict\">\n<li>");
    if (from == std::string::npos) {
        return "";
    }
    const std::size_t begin = from + 25;
    std::string s = report.substr(begin, report.find("</li>", begin) - begin);
    for (const auto& [escaped, plain] :
         {std::pair<std::string, std::string>{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
        for (std::size_t at = s.find(escaped); at != std::string::npos; at = s.find(escaped, at)) {
            s.replace(at, escaped.size(), plain);
        }
    }
    return s;
}

void expectNoNonsense(const std::string& sentence) {
    for (const char* word : {"inf", "nan", "0.0 s", "faster"}) {
        EXPECT_EQ(sentence.find(word), std::string::npos) << word << " in: " << sentence;
    }
}

// RxA 1 s sooner in 60 attempts, 50 s later in 40: the signed ranks say RxB, and so must the
// sentence. Walsh averages: 1 (1830 of them), -24.5 (2400), -50 (820): the median -24.5.
// The exact p over the sign patterns of the midranks 30.5 (60) and 80.5 (40), counted in
// Python integers, is 0.012983; 0.025965 after Holm.
TEST(Verdicts, DirectionFollowsTheTestNotTheMedian) {
    const Outcome o = runOn(inits(100, [](std::size_t r) {
        return r < 60 ? Row{"10", "11"} : Row{"70", "20"};
    }));
    const std::string s = verdict(o.report);
    EXPECT_EQ(s.rfind("RxB gets a correct fix sooner than RxA (p = 0.026, adjusted for 2 "
                      "comparisons): when both fixed correctly RxB was 24.5 s sooner",
                      0),
              0u)
        << s;
    expectNoNonsense(s);
    EXPECT_EQ(o.summary["comparisons"][0]["time_to_correct_fix"]["b_slower"], false);
    EXPECT_EQ(o.summary["comparisons"][0]["time_to_correct_fix"]["hodges_lehmann_s"], -24.5);
}

// RxB is 5 s sooner when it fixes, but has no correct fix in 30 of 100 attempts: it is not
// "faster". The same sentence whether those attempts are NaN, Inf or wrong fast fixes.
TEST(Verdicts, AttemptsWithoutACorrectFixCountAgainstTheReceiver) {
    std::string sentence;
    for (const std::string missing : {"NaN", "Inf", "wrong"}) {
        const Outcome o = runOn(inits(100, [&](std::size_t r) {
            if (r % 10 < 3) {
                return missing == "wrong" ? Row{"20", "1", 0.01, 0.6} : Row{"20", missing};
            }
            return Row{"20", "15"};
        }));
        const std::string s = verdict(o.report);
        EXPECT_EQ(s.rfind("RxA and RxB: no significant difference in time to a correct fix", 0), 0u)
            << s;
        EXPECT_NE(s.find("when both fixed correctly RxB was 5 s sooner (95 % interval 5 s); "
                         "only RxB missed a correct fix in 30 attempts, only RxA in 0."),
                  std::string::npos)
            << s;
        expectNoNonsense(s);
        if (missing == "wrong") {
            // Wrong fixes also lower RxB's reliability: significant after adjustment.
            EXPECT_NE(s.find("RxA is more reliable than RxB: +30 points"), std::string::npos) << s;
        } else if (sentence.empty()) {
            sentence = s;
        } else {
            EXPECT_EQ(s, sentence);
        }
    }
}

// Five attempts of "1 s slower every time": the exact p is 0.0625, 0.125 after adjusting.
TEST(Verdicts, FiveAttemptsAreNotSignificantAndSayWhatTheyShow) {
    const Outcome o = runOn(inits(5, [](std::size_t) { return Row{"10", "11"}; }));
    const auto& t = o.summary["comparisons"][0]["time_to_correct_fix"];
    EXPECT_DOUBLE_EQ(t["wilcoxon_p"].get<double>(), 0.0625);
    EXPECT_DOUBLE_EQ(t["p_holm"].get<double>(), 0.125);
    EXPECT_EQ(verdict(o.report),
              "RxA and RxB: no significant difference in time to a correct fix (p = 0.12, "
              "adjusted for 2 comparisons): when both fixed correctly RxA was 1 s sooner (too "
              "few attempts for a 95 % interval); neither missed a correct fix where the other "
              "had one. No significant difference in reliability: RxB 0 points against RxA, 95 % "
              "interval −43.4 to 43.4 (p = 1, adjusted for 2 comparisons).");
}

// Many attempts make a tiny tendency significant; the sentence gives its size: when both fix
// correctly the typical difference is 0 s. 3000 rows: 1200 equal, RxB 1 s later in 1200, 1 s
// sooner in 600.
TEST(Verdicts, ASignificantDifferenceComesWithItsSize) {
    const Outcome o = runOn(inits(3000, [](std::size_t r) {
        return r % 5 < 2 ? Row{"10", "10"} : r % 5 == 2 ? Row{"10", "9"} : Row{"10", "11"};
    }));
    const std::string s = verdict(o.report);
    EXPECT_FALSE(s.empty());
    expectNoNonsense(s);
    const auto& t = o.summary["comparisons"][0]["time_to_correct_fix"];
    EXPECT_EQ(t["nonzero_pairs"], 1800);
    EXPECT_EQ(s.rfind("RxA gets a correct fix sooner than RxB (p < 0.001, adjusted for 2 "
                      "comparisons): when both fixed correctly neither was sooner (estimate 0 s, "
                      "95 % interval from 0 s to 0.5 s sooner)",
                      0),
              0u)
        << s;
}

// A quarter of the fixes 0.6 m off: the good-only percentiles cannot show it, all_fixes does.
TEST(Verdicts, AccuracyOverAllFixesShowsTheWrongOnes) {
    const Outcome o = runOn(inits(100, [](std::size_t r) {
        return Row{"10", "10", 0.01, r % 4 == 0 ? 0.6 : 0.01};
    }));
    const auto& a = o.summary["data_sets"][0]["position_error_m"];
    const auto& b = o.summary["data_sets"][1]["position_error_m"];
    EXPECT_EQ(a["horizontal_p95"], b["horizontal_p95"]);
    EXPECT_NEAR(a["all_fixes"]["horizontal_p95"].get<double>(), std::hypot(0.01, 0.01), 1e-12);
    EXPECT_NEAR(b["all_fixes"]["horizontal_p95"].get<double>(), std::hypot(0.6, 0.01), 1e-12);
    EXPECT_NEAR(b["all_fixes"]["horizontal_p95_ci95"][0].get<double>(), std::hypot(0.6, 0.01),
                1e-12);
    // Every fourth fix bad: 50 runs where 38.5 are expected, no warning (more runs, not fewer).
    EXPECT_EQ(o.report.find("come in clusters"), std::string::npos);
}

// All times 30.4 s and one NaN: the 90 % time is binned to 30 s and so is its interval, which
// no longer goes null for the NaN.
TEST(Verdicts, TheNinetyPercentTimeLiesInItsOwnInterval) {
    const Outcome o = runOn(inits(100, [](std::size_t r) {
        return Row{r == 0 ? "NaN" : "30.4", "10"};
    }));
    const auto& t = o.summary["data_sets"][0]["ttff_seconds"];
    EXPECT_EQ(t["p90"], 30);
    EXPECT_EQ(t["p90_ci95"], nlohmann::json::array({30, 30}));
    EXPECT_EQ(t["median_ci95"], nlohmann::json::array({30.4, 30.4}));
}

// One ulp above 500.5 s is no correct fix, whatever the curve's bins say.
TEST(Verdicts, OneUlpAboveFiveHundredAndAHalfSecondsIsNotFixed) {
    TempDir dir;
    writeFile(dir / "inits.txt", "0 500.50000000000006 0 0 0\n");
    ASSERT_EQ(runProgram(dir.path(), {"T", "RxA"}).status, 0);
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));
    const auto& d = j["data_sets"][0];
    EXPECT_EQ(d["correct_fix"]["percent"], 0);
    EXPECT_TRUE(d["time_to_correct_fix_s"]["p90"].is_null());
    EXPECT_EQ(d["time_to_correct_fix_s"]["p90_not_reached"], true);
}

// Bad fixes in one block: fewer runs than chance gives, and the report warns.
TEST(Verdicts, ClusteredBadFixesAreWarnedAbout) {
    const Outcome o = runOn(inits(200, [](std::size_t r) {
        return Row{"10", "10", r >= 50 && r < 70 ? 0.6 : 0.01};
    }));
    const auto& i = o.summary["data_sets"][0]["independence"];
    EXPECT_EQ(i["runs"], 3);
    EXPECT_LT(i["runs_test_p"].get<double>(), 0.01);
    EXPECT_NE(o.report.find("<strong>RxA</strong>: bad fixes come in clusters"), std::string::npos);
    EXPECT_EQ(o.report.find("<strong>RxB</strong>: bad fixes"), std::string::npos);
}

}  // namespace
}  // namespace ambiscan::testing
