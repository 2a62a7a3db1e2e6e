// Where the input comes from: a file, a pipe or a FIFO is read once, and summary.json's digest
// is of the bytes read; a run never writes its input over.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <set>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

const char* const kInits =
    "345000 3    0.01  0.02  0.03\n"
    "345300 7.9  0.153 -0.021 0.3\n"
    "345600 8    0.12  0     -0.22\n"
    "345900 12.5 -0.01 0     0.05\n";
// printf '%s' "$kInits" | sha256sum
const char* const kInitsSha256 = "35108a5f94c26dc6e2c995c592e58461e4d89f4a130ae8294dabae3c3e93907b";

nlohmann::json summaryIn(const std::filesystem::path& folder) {
    return nlohmann::json::parse(readFile(folder / "summary.json"));
}

// A pipe (process substitution, /dev/stdin) could not be read twice: the summary certified the
// digest of no bytes while reporting the records read.
TEST(InputProvenance, APipeIsReadOnceAndItsBytesDigested) {
    TempDir dir;
    writeFile(dir / "data", kInits);
    const RunResult run = runProgram(dir.path(), {"-q", "-o", "out", "-i", "/dev/fd/3", "T", "A"},
                                     "exec 3< <(cat data);");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json input = summaryIn(dir / "out")["input"];
    EXPECT_EQ(input["file"], "/dev/fd/3");
    EXPECT_EQ(input["sha256"], kInitsSha256);
    EXPECT_EQ(input["records"], 4);
}

// A FIFO was opened a second time for the digest after the figures were written, and the run
// waited there for ever. The timeout fails the test instead of waiting.
TEST(InputProvenance, AFifoIsReadOnceAndTheRunEnds) {
    TempDir dir;
    writeFile(dir / "data", kInits);
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    const RunResult run = runProgram(dir.path(), {"-q", "-o", "out", "-i", "fifo", "T", "A"},
                                     "{ cat data > fifo & } ; timeout 60");
    ASSERT_EQ(run.status, 0) << "124 is the timeout: " << run.err;
    const nlohmann::json input = summaryIn(dir / "out")["input"];
    EXPECT_EQ(input["file"], "fifo");
    EXPECT_EQ(input["sha256"], kInitsSha256);
}

// Bytes after the text where reading stopped are part of the file the digest certifies.
TEST(InputProvenance, DigestIsOfTheWholeFileAsGiven) {
    TempDir dir;
    std::filesystem::create_directory(dir / "rig");
    writeFile(dir / "rig/log.txt", std::string(kInits) + "end of test\n");
    const RunResult run = runProgram(dir.path(), {"-q", "-i", "rig/log.txt", "T", "A"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json input = summaryIn(dir.path())["input"];
    EXPECT_EQ(input["file"], "rig/log.txt");
    // printf '%s%s\n' "$kInits" 'end of test' | sha256sum
    EXPECT_EQ(input["sha256"], "9f978863788d7e9f01f08c7f4dad19ba983d8bd00bed4e45645fc1c5302ac35e");
}

// "-i stats.csv" let the run write its own input over; a hard link under an output's name
// did too. Refused before anything is written.
TEST(InputProvenance, AnOutputThatIsTheInputIsRefusedBeforeWriting) {
    TempDir dir;
    writeFile(dir / "stats.csv", kInits);
    const RunResult byName = runProgram(dir.path(), {"-i", "stats.csv", "T", "A"});
    EXPECT_EQ(byName.status, 1);
    EXPECT_EQ(byName.err,
              "The run would write ./stats.csv over its input stats.csv: give another output "
              "folder (-o) or move the input\n");
    std::filesystem::create_directory(dir / "out");
    std::filesystem::create_hard_link(dir / "stats.csv", dir / "out/A_ENU_Hist.png");
    const RunResult byLink = runProgram(dir.path(), {"-i", "stats.csv", "-o", "out", "T", "A"});
    EXPECT_EQ(byLink.status, 1);
    EXPECT_EQ(byLink.err,
              "The run would write out/A_ENU_Hist.png over its input stats.csv: give "
              "another output folder (-o) or move the input\n");
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"stats.csv", "out"}));
    EXPECT_EQ(filesIn(dir / "out"), std::set<std::string>{"A_ENU_Hist.png"});
    EXPECT_EQ(readFile(dir / "stats.csv"), kInits);
}

// The decision charts of --decide were missing from the names compared: "-i A_Decision.png"
// was drawn over. Each gate's chart is refused, and only when the run decides.
TEST(InputProvenance, ADecisionChartThatIsTheInputIsRefused) {
    TempDir dir;
    for (const char* name : {"A_Decision.png", "A_Decision_p90.png"}) {
        writeFile(dir / name, kInits);
    }
    const RunResult first = runProgram(
        dir.path(), {"--decide", "--require-reliability", "95", "-i", "A_Decision.png", "T", "A"});
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.err,
              "The run would write ./A_Decision.png over its input A_Decision.png: give another "
              "output folder (-o) or move the input\n");
    const RunResult second =
        runProgram(dir.path(), {"--decide", "--require-reliability", "95", "--require-p90", "60",
                                "-i", "A_Decision_p90.png", "T", "A"});
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.err,
              "The run would write ./A_Decision_p90.png over its input A_Decision_p90.png: give "
              "another output folder (-o) or move the input\n");
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"A_Decision.png", "A_Decision_p90.png"}));
    EXPECT_EQ(readFile(dir / "A_Decision.png"), kInits);
    EXPECT_EQ(readFile(dir / "A_Decision_p90.png"), kInits);
    // Without --decide no chart is drawn, so the same input is read.
    const RunResult undecided =
        runProgram(dir.path(), {"-q", "-i", "A_Decision_p90.png", "T", "A"});
    EXPECT_EQ(undecided.status, 0) << undecided.err;
}

}  // namespace
}  // namespace ambiscan::testing
