// The options before the title, run with the built program.
#include <gtest/gtest.h>

#include <set>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;

// One receiver, four attempts, attempt 2 bad: reliability 75 %, 90 % reached at 12 s.
const char* const kRoverInits =
    "345000 3    0.01  0.02  0.03\n"
    "345300 7.9  0.153 -0.021 0.3\n"
    "345600 8    0.12  0     -0.22\n"
    "345900 12.5 -0.01 0     0.05\n";
const char* const kRoverList =
    "Rover: Bad Init List (Init Num / Time / dE / dN / dU)\n"
    "Init Num = 2 Time = 345300 dE = 0.15 dN = -0.02 dU = 0.30\n";

const std::set<std::string> kRoverFigures = {
    "InitTimeCDF.png",      "InitTimeDist.png",      "InitTimeVTime.png",
    "Rover_PosData.png",    "Rover_East_Hist.png",   "Rover_PosData_GoodOnly.png",
    "Rover_North_Hist.png", "Rover_Height_Hist.png", "Rover_ENU_Hist.png"};

std::set<std::string> roverOutputs() {
    std::set<std::string> names = kRoverFigures;
    names.insert({"stats.csv", "summary.json", "report.html"});
    return names;
}

TEST(Options, HelpPrintsTheUsageTextThenTheOptionsAndVersionTheOneVersion) {
    TempDir dir;
    for (const char* flag : {"-h", "--help"}) {
        const RunResult run = runProgram(dir.path(), {flag});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind(" \nUsage:\nAmbiscan TitleString Legend1", 0), 0u) << run.out;
        for (const char* option :
             {"--input FILE", "--output-dir DIR", "--format LIST", "--no-report", "--quiet",
              "--require-reliability PCT", "--require-p90 SECONDS", "--version"}) {
            EXPECT_NE(run.out.find(option), std::string::npos) << option;
        }
        EXPECT_EQ(run.err, "");
    }
    const RunResult version = runProgram(dir.path(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "ambiscan 1.1.0\n");
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(Options, UnknownOptionOrMissingValueIsOneLineNamingItExitTwoAndNothingWritten) {
    TempDir dir;
    writeFile(dir / "inits.txt", kRoverInits);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--frobnicate", "T", "Rover"}, "unknown option --frobnicate"},
        {{"-x", "T", "Rover"}, "unknown option -x"},
        {{"-o"}, "option --output-dir needs a value"},
        {{"--format", "png,gif", "T", "Rover"}, "unknown figure format \"gif\""},
        {{"--require-p90", "soon", "T", "Rover"}, "--require-p90: \"soon\" is not"},
    };
    for (const auto& [words, message] : cases) {
        const RunResult run = runProgram(dir.path(), words);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"});
}

TEST(Options, WordsAreCountedAfterTheOptions) {
    TempDir dir;
    const RunResult usage = runProgram(dir.path(), {"-q", "--format", "svg", "Title"});
    EXPECT_EQ(usage.status, 0);
    EXPECT_EQ(usage.out.rfind(" \nUsage:\n", 0), 0u);
    EXPECT_EQ(usage.out.find("Options"), std::string::npos);
    const RunResult tooMany = runProgram(dir.path(), {"-q", "T", "a", "b", "c", "d", "e", "f"});
    EXPECT_EQ(tooMany.status, 2);
    EXPECT_NE(tooMany.err.find("declared number of inputs (6)"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(Options, DoubleDashLetsALegendStartWithADashAndWordsAfterTheTitleAreNeverOptions) {
    TempDir dir;
    writeFile(dir / "inits.txt", kRoverInits);
    const RunResult dashed = runProgram(dir.path(), {"--", "T", "-x"});
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    EXPECT_TRUE(fs::exists(dir / "-x_PosData.png"));
    EXPECT_NE(readFile(dir / "stats.csv").find("\nT,-x,"), std::string::npos);
    // "-q" after the title is the legend, not the option: the list is printed under its name.
    const RunResult late = runProgram(dir.path(), {"T", "-q"});
    EXPECT_EQ(late.status, 0) << late.err;
    EXPECT_EQ(late.out.rfind("-q: Bad Init List", 0), 0u) << late.out;
}

TEST(Options, OutputDirIsCreatedWithItsParentsAndHoldsEveryOutput) {
    TempDir dir;
    writeFile(dir / "inits.txt", kRoverInits);
    const RunResult plain = runProgram(dir.path(), {"T", "Rover"});
    const RunResult run = runProgram(dir.path(), {"-o", "out/day 1/rig", "T", "Rover"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, plain.out);
    const fs::path out = dir / "out/day 1/rig";
    EXPECT_EQ(filesIn(out), roverOutputs());
    for (const std::string& name : roverOutputs()) {
        EXPECT_EQ(readFile(out / name), readFile(dir / name)) << name;
    }

    // A file where a folder must be: one error naming the folder, and nothing written.
    TempDir blocked;
    writeFile(blocked / "inits.txt", kRoverInits);
    writeFile(blocked / "taken", "");
    const RunResult refused =
        runProgram(blocked.path(), {"--output-dir", "taken/sub", "T", "Rover"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Cannot create output folder taken/sub"), std::string::npos)
        << refused.err;
    EXPECT_EQ(filesIn(blocked.path()), (std::set<std::string>{"inits.txt", "taken"}));
}

TEST(Options, InputFromAnotherFolderAndAMissingOneNamed) {
    TempDir data, dir;
    fs::create_directory(data / "rig");
    writeFile(data / "rig" / "run7.txt", kRoverInits);
    const RunResult run =
        runProgram(dir.path(), {"--input", (data / "rig" / "run7.txt").string(), "T", "Rover"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kRoverList);
    EXPECT_EQ(filesIn(dir.path()), roverOutputs());

    TempDir empty;
    const RunResult missing = runProgram(empty.path(), {"-i", "nothere.txt", "-o", "o", "T", "A"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "Cannot open file nothere.txt");
    EXPECT_TRUE(fs::is_empty(empty.path()));  // no output folder either
}

TEST(Options, QuietDropsTheBadInitListsOnly) {
    TempDir dir;
    writeFile(dir / "inits.txt", kRoverInits);
    const RunResult loud = runProgram(dir.path(), {"T", "Rover"});
    const std::string stats = readFile(dir / "stats.csv");
    const RunResult quiet = runProgram(dir.path(), {"-q", "T", "Rover"});
    EXPECT_EQ(loud.out, kRoverList);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(readFile(dir / "stats.csv"), stats);
    // Warnings still show: a record cut short by one number.
    writeFile(dir / "inits.txt", std::string(kRoverInits) + "346200 4 0 0\n");
    EXPECT_NE(runProgram(dir.path(), {"--quiet", "T", "Rover"}).err.find("Warning: inits.txt"),
              std::string::npos);
}

TEST(Options, NoReportIsTakenAndLeavesTheOtherOutputsAsTheyAre) {
    TempDir dir;
    writeFile(dir / "inits.txt", kRoverInits);
    const RunResult run = runProgram(dir.path(), {"--no-report", "T", "Rover"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kRoverList);
    std::set<std::string> expected = roverOutputs();
    expected.erase("report.html");
    expected.insert("inits.txt");
    EXPECT_EQ(filesIn(dir.path()), expected);
}

TEST(Options, GatesPassOnTheirLimitsAndFailAfterEveryOutputWithExitThree) {
    TempDir dir;
    writeFile(dir / "inits.txt", kRoverInits);
    // 75 % and 12 s exactly on the limits pass.
    const RunResult pass = runProgram(
        dir.path(), {"--require-reliability", "75", "--require-p90", "12", "T", "Rover"});
    EXPECT_EQ(pass.status, 0) << pass.err;
    EXPECT_EQ(pass.err, "");

    TempDir failing;
    writeFile(failing / "inits.txt", kRoverInits);
    const RunResult fail = runProgram(failing.path(), {"-q", "--require-reliability", "75.5",
                                                       "--require-p90", "11.5", "T", "Rover"});
    EXPECT_EQ(fail.status, 3);
    EXPECT_EQ(fail.err,
              "Gate failed: Rover reliability 75.000 % is below the required 75.5 % "
              "(--require-reliability)\n"
              "Gate failed: Rover 90 % init time 12 s is above the required 11.5 s "
              "(--require-p90)\n");
    std::set<std::string> expected = roverOutputs();
    expected.insert("inits.txt");
    EXPECT_EQ(filesIn(failing.path()), expected);
    // The gates and their results are in the summary, and the report says FAIL at its top.
    const std::string summary = readFile(failing / "summary.json");
    EXPECT_NE(summary.find("\"gate\": \"require-reliability\""), std::string::npos);
    EXPECT_NE(summary.find("\"passed\": false"), std::string::npos);
    const std::string report = readFile(failing / "report.html");
    EXPECT_LT(report.find("<strong>FAIL</strong>"), report.find("<h2>Verdict</h2>"));
    EXPECT_NE(readFile(dir / "report.html").find("<strong>PASS</strong>"), std::string::npos);

    // Every fix after 500 s: no 90 % time at all, which no limit passes.
    TempDir slow;
    writeFile(slow / "inits.txt", "100 600 0 0 0\n200 700 0 0 0\n");
    const RunResult never = runProgram(slow.path(), {"--require-p90", "100000", "T", "Slow"});
    EXPECT_EQ(never.status, 3);
    EXPECT_EQ(never.err,
              "Gate failed: Slow never reaches 90 % of its inits; required within 100000 s "
              "(--require-p90)\n");
}

TEST(Options, AllTogether) {
    TempDir data, dir;
    writeFile(data / "inits.txt", kRoverInits);
    const RunResult run =
        runProgram(dir.path(), {"-q", "-i", (data / "inits.txt").string(), "-o", "a/b", "--format",
                                "pdf,png", "--no-report", "--require-reliability", "50",
                                "--require-p90", "30", "--", "Title", "-Rover"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::set<std::string> files = filesIn(dir / "a/b");
    EXPECT_EQ(files.size(), 2 + 2 * kRoverFigures.size());  // stats.csv and summary.json too
    EXPECT_TRUE(files.count("-Rover_PosData.pdf") && files.count("-Rover_PosData.png"));
}

}  // namespace
}  // namespace ambiscan::testing
