// Runs decided attempt by attempt (--decide): where the gates decide, the exit status, what the
// summary, the report and the figures say.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;

// `clean` good 10 s fixes of one receiver, then `bad` bad ones (0.5 m east), in that order.
std::string oneReceiver(int clean, int bad = 0) {
    std::string text;
    for (int i = 0; i < clean + bad; ++i) {
        text += std::to_string(345000 + 60 * i) + (i < clean ? " 10 0 0 0\n" : " 10 0.5 0 0\n");
    }
    return text;
}

RunResult decide(const TempDir& dir, const std::string& inits, std::vector<std::string> more = {}) {
    writeFile(dir / "inits.txt", inits);
    std::vector<std::string> words = {"--require-reliability", "95", "--decide", "-q"};
    words.insert(words.end(), more.begin(), more.end());
    words.insert(words.end(), {"T", "Rx"});
    return runProgram(dir.path(), words);
}

// 0.925^80 = 0.00196 <= 0.002 < 0.925^79 = 0.00211: eighty clean attempts pass a 95 % gate.
TEST(Decide, EightyCleanAttemptsPassSeventyNineStayOpen) {
    TempDir open;
    const RunResult undecided = decide(open, oneReceiver(79));
    EXPECT_EQ(undecided.status, 4) << undecided.err;
    EXPECT_NE(undecided.err.find("Gate undecided: Rx 0 bad fixes in 79 attempts "
                                 "(--require-reliability 95): at least 1 more clean attempts to "
                                 "pass, at least 12 to fail"),
              std::string::npos)
        << undecided.err;
    const auto j = nlohmann::json::parse(readFile(open / "summary.json"));
    const auto& s = j["gates"][0]["receivers"][0]["sequential"];
    EXPECT_EQ(s["decision"], "CONTINUE");
    EXPECT_TRUE(s["at_attempt"].is_null());
    EXPECT_EQ(s["more_attempts_to_pass"], 1);
    EXPECT_EQ(s["more_attempts_to_fail"], 12);  // exact tails, as in SequentialGate_test
    EXPECT_EQ(j["gates"][0]["sequential"]["decision"], "CONTINUE");
    EXPECT_EQ(j["gates"][0]["sequential"]["M"], 1.5);
    EXPECT_EQ(j["gates"][0]["sequential"]["F"], 0.002);

    TempDir passed;
    // Ten bad fixes after the decision change nothing but the count of attempts not needed.
    const RunResult pass = decide(passed, oneReceiver(80, 10));
    EXPECT_EQ(pass.status, 0) << pass.err;
    EXPECT_EQ(pass.err, "");
    const auto p = nlohmann::json::parse(readFile(passed / "summary.json"));
    const auto& ps = p["gates"][0]["receivers"][0]["sequential"];
    EXPECT_EQ(ps["decision"], "PASS");
    EXPECT_EQ(ps["at_attempt"], 80);
    EXPECT_EQ(ps["events"], 0);
    // The fixed-sample gate sees 80 of 90: failed, and says so beside the sequential decision.
    EXPECT_EQ(p["gates"][0]["passed"], false);
    EXPECT_TRUE(fs::exists(passed / "Rx_Decision.png"));
    const std::string html = readFile(passed / "report.html");
    EXPECT_NE(html.find("<h2>Decision</h2>"), std::string::npos);
    EXPECT_NE(html.find("PASS at attempt 80 (0 events); the 10 attempts after it were not needed"),
              std::string::npos);
    EXPECT_LT(html.find("<h2>Decision</h2>"), html.find("<h2>Statistics</h2>"));
}

// P(X >= 3) = 0.00116 in five attempts at ER = 5 %: three bad fixes in five fail the gate.
TEST(Decide, ThreeBadFixesInFiveFailAndEveryFormatIsWritten) {
    TempDir dir;
    const RunResult run = decide(
        dir, "1 10 0.5 0 0\n2 10 0 0 0\n3 10 0.5 0 0\n4 10 0 0 0\n5 10 0.5 0 0\n6 10 0 0 0\n",
        {"--format", "png,svg"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "Gate FAIL: Rx 3 bad fixes in 5 attempts (--require-reliability 95, decided at "
              "attempt 5)\n");
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));
    EXPECT_EQ(j["gates"][0]["receivers"][0]["sequential"]["at_attempt"], 5);
    EXPECT_EQ(j["gates"][0]["receivers"][0]["sequential"]["events"], 3);
    EXPECT_TRUE(fs::exists(dir / "Rx_Decision.png"));
    EXPECT_TRUE(fs::exists(dir / "Rx_Decision.svg"));
}

// The scipy root for 80 good of 80 (see ConfidenceSequence_test): 91.176 % up to 100 %, beside
// the fixed-n interval; the 90 % gate's chart goes to a file of its own.
TEST(Decide, BothGatesAndTheSequenceInTheSummary) {
    TempDir dir;
    writeFile(dir / "inits.txt", oneReceiver(80));
    const RunResult run = runProgram(
        dir.path(), {"--require-reliability", "95", "--require-p90", "30", "--decide", "T", "Rx"});
    EXPECT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));
    const auto& cs = j["data_sets"][0]["reliability_cs95_percent"];
    EXPECT_NEAR(cs[0].get<double>(), 91.17611064960379, 1e-9);
    EXPECT_EQ(cs[1].get<double>(), 100);
    // A 90 % gate (ER = 10 %) passes after 0.85^n <= 0.002: n = 39 (0.85^38 = 0.00210).
    EXPECT_EQ(j["gates"][1]["receivers"][0]["sequential"]["at_attempt"], 39);
    EXPECT_TRUE(fs::exists(dir / "Rx_Decision_p90.png"));
}

// Without --decide nothing of it appears: no key, no section, no figure.
TEST(Decide, FixedGatesAloneAddNothing) {
    TempDir dir;
    writeFile(dir / "inits.txt", oneReceiver(80));
    const RunResult run = runProgram(dir.path(), {"--require-reliability", "95", "-q", "T", "Rx"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(readFile(dir / "summary.json").find("sequential"), std::string::npos);
    EXPECT_EQ(readFile(dir / "summary.json").find("cs95"), std::string::npos);
    EXPECT_EQ(readFile(dir / "report.html").find("Decision"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "Rx_Decision.png"));
}

}  // namespace
}  // namespace ambiscan::testing
