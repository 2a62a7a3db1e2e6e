// Whole runs on files a test rig or a hostile tester really writes: each either gives the
// right result or stops with one clear line, exit 1 and the folder as it was.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <set>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

// Line 2 of stats.csv, the first data set's statistics.
std::string firstStatistics(const TempDir& dir) {
    const std::string stats = readFile(dir / "stats.csv");
    const std::size_t start = stats.find('\n') + 1;
    return stats.substr(start, stats.find('\n', start) - start);
}

// Runs on `text` as inits.txt and expects a refusal with `message` that leaves the folder as
// it was.
void expectRefused(const std::string& text, const std::vector<std::string>& words,
                   const std::string& message) {
    TempDir dir;
    writeFile(dir / "inits.txt", text);
    const RunResult run = runProgram(dir.path(), words);
    EXPECT_EQ(run.status, 1) << text;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, message + "\n");
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"});
}

const char* const kTwoReceivers =
    "345600 8 12 0.01 0.02 0.03 0.02 0.01 0.05\n"
    "345700 9 14 0.01 0.02 0.03 0.02 0.01 0.05\n"
    "\n"
    "345800 7 11 0.01 0.02 0.03 0.02 0.01 0.05\n";

TEST(RobustInput, RecordsOfAnotherReceiverCountOneALineAreRefused) {
    expectRefused(kTwoReceivers, {"T", "A"},
                  "inits.txt holds 9 numbers on each line, the records of 2 receivers, but 1 "
                  "legend was given");
    // A last line cut short is still the same layout; five numbers a line is one receiver.
    expectRefused(std::string(kTwoReceivers) + "345900 7 11\n", {"T", "A", "B", "C"},
                  "inits.txt holds 9 numbers on each line, the records of 2 receivers, but 3 "
                  "legends were given");
    expectRefused("1 2 3 4 5\n6 7 8 9 10\n", {"T", "A", "B"},
                  "inits.txt holds 5 numbers on each line, the records of 1 receiver, but 2 "
                  "legends were given");
}

TEST(RobustInput, OtherLayoutsAreReadAsRecordsOfNumbers) {
    // One number a line, everything on one line, and records over several lines: counted.
    std::string oneALine, oneLine = "345600 8 12 0.01 0.02 0.03 0.02 0.01 0.05\n";
    for (const char* number : {"345600", "8", "0.01", "0.02", "0.03"}) {
        oneALine += std::string(number) + "\n";
    }
    for (const std::string& text :
         {oneALine, oneLine, std::string("345600 8\n0.01 0.02 0.03\n345700 9\n0 0 0\n")}) {
        TempDir dir;
        writeFile(dir / "inits.txt", text);
        const RunResult run = runProgram(dir.path(), {"T", "A"});
        EXPECT_EQ(run.status, 0) << text << run.err;
        EXPECT_TRUE(std::filesystem::exists(dir / "stats.csv"));
    }
}

TEST(RobustInput, TextBeforeOneWholeRecordIsRefusedWithItsLine) {
    // A number ends at white space: the whole comma-separated line is the text.
    expectRefused("\n345600,8,0.01,0.02,0.03\n", {"T", "A"},
                  "inits.txt line 2: reading stopped at \"345600,8,0.01,0.02,0.03\", which is "
                  "not a number, before one whole record of 5 numbers was read");
    // Text inside a later record is refused too: completed with zeros, the record would be a
    // fix in 0 s at the origin.
    expectRefused("345600 8 0.01 0.02 0.03\n345700 9 end\n", {"T", "A"},
                  "inits.txt line 2: reading stopped at \"end\", which is not a number, inside "
                  "record 2 (a record holds 5 numbers)");
}

// The mistyped number of a test log ("2.0.5" for "20.5") was read as two numbers, shifting
// every later column: a "time to fix" of 103 s came from a start time, exit 0.
TEST(RobustInput, AMistypedNumberIsTextAndRefusedInItsRecord) {
    expectRefused(
        "100 20 25 .01 .02 .03 .01 .02 .03\n101 2.0.5 30 .01 .02 .03 .01 .02 .03\n"
        "102 22 31 .01 .02 .03 .01 .02 .03\n103 21 33 .01 .02 .03 .01 .02 .03\n",
        {"-q", "T", "RxA", "RxB"},
        "inits.txt line 2: reading stopped at \"2.0.5\", which is not a number, inside "
        "record 2 (a record holds 9 numbers)");
    // A line of one record a line with a number too many.
    std::string lines;
    for (int k = 0; k < 12; ++k) {
        lines += std::to_string(345600 + k) + " 8 0.01 0.02 0.03\n";
    }
    expectRefused(lines + "345700 9 0.01 0.02 0.03 0.04\n" + lines, {"T", "A"},
                  "inits.txt line 13 holds 6 numbers where the file's other lines hold one "
                  "record of 5: the records after it would be read with their columns shifted");
}

TEST(RobustInput, ByteOrderMarkIsSkipped) {
    TempDir plain, marked;
    const std::string text = "345600 8 0.01 0.02 0.03\n345900 12 0.01 0.02 0.03\n";
    writeFile(plain / "inits.txt", text);
    writeFile(marked / "inits.txt", "\xEF\xBB\xBF" + text);
    const RunResult a = runProgram(plain.path(), {"T", "A"});
    const RunResult b = runProgram(marked.path(), {"T", "A"});
    EXPECT_EQ(b.status, 0);
    EXPECT_EQ(b.err, "");
    EXPECT_EQ(readFile(marked / "stats.csv"), readFile(plain / "stats.csv"));
    EXPECT_EQ(firstStatistics(marked).substr(0, 23), "T,A,0.083333,100.000000");
}

TEST(RobustInput, InitsFileThatIsAFolderIsSaidSo) {
    TempDir dir;
    std::filesystem::create_directory(dir / "inits.txt");
    const RunResult run = runProgram(dir.path(), {"T", "A"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "inits.txt is a folder\n");
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"});
}

TEST(RobustInput, OutOfMemoryNamesTheRecords) {
    if (kUnderSanitizer) {
        GTEST_SKIP() << "a sanitizer needs more address space than the limit leaves";
    }
    TempDir dir;
    std::string text;
    for (int k = 0; k < 4000000; ++k) {
        text += "1 1 0 0 0\n";
    }
    writeFile(dir / "inits.txt", text);
    // 4 million records of 5 doubles need 160 MB; the limit leaves far less.
    const RunResult run = runProgram(dir.path(), {"T", "A"}, "ulimit -v 120000;");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "not enough memory for 4000000 records\n");
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"});
}

TEST(RobustInput, AttemptWithoutAPositionIsABadFixKeptOutOfGoodOnlyStatistics) {
    TempDir dir;
    writeFile(dir / "inits.txt",
              "345600 8 0.01 0.02 0.03\n345700 9 NaN NaN NaN\n345800 10 0.03 0.04 -0.01\n");
    const RunResult run = runProgram(dir.path(), {"T", "A"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "A: Bad Init List (Init Num / Time / dE / dN / dU)\n"
              "Init Num = 2 Time = 345700 dE = NaN dN = NaN dU = NaN\n");
    // Two good of three: 66.667 %; means and sigmas of the two good ones:
    // E 0.02 / 0.014142, N 0.03 / 0.014142, U 0.01 / 0.028284.
    EXPECT_EQ(firstStatistics(dir),
              "T,A,0.055556,66.666667,10.000000,10,9.000000,9,3,0.020000,0.014142,0.030000,"
              "0.014142,0.010000,0.028284");
    EXPECT_TRUE(std::filesystem::exists(dir / "A_PosData_GoodOnly.png"));
}

// A token longer than any number (here 64 MiB) is text: reading stops within the block it
// starts in, holding no more of it than the message shows, and the cut record is refused.
TEST(RobustInput, TokenLongerThanANumberIsTextAndRefusedInItsRecord) {
    TempDir dir;
    std::string text = "345600 5." + std::string(std::size_t{64} << 20, '0') + " 0.01 0.02 0.03\n";
    writeFile(dir / "inits.txt", text);
    text.clear();
    const RunResult run = runProgram(dir.path(), {"T", "A"}, addressSpaceLimit(400000));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "inits.txt line 1: reading stopped at \"5." + std::string(38, '0') +
                           "\", which is not a number, before one whole record of 5 numbers was "
                           "read\n");
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"});
}

TEST(RobustInput, FileTextInWarningsHasControlBytesEscapedAndIsCut) {
    TempDir dir;
    writeFile(dir / "inits.txt",
              "1 1 0 0 0\n\033]0;X\007\xff\xc3\xa9" + std::string(60, 'z') + "\n");
    const RunResult run = runProgram(dir.path(), {"T", "A"});
    EXPECT_EQ(run.status, 0);
    // 40 characters: ESC ] 0 ; X BEL, the invalid byte, the é and 32 z.
    EXPECT_EQ(run.err,
              "Warning: inits.txt line 2: reading stopped at \"\\x1b]0;X\\x07\\xff\xc3\xa9" +
                  std::string(32, 'z') + "\", which is not text; 1 record read.\n");
}

TEST(RobustInput, LeftoversOfDeadRunsAreRemovedAndThoseOfLiveRunsKept) {
    TempDir dir;
    writeFile(dir / "inits.txt", "345600 8 0.01 0.02 0.03\n");
    // No process has an id above 2^22 (the kernel's largest); this test process is alive.
    const std::string dead = ".ambiscan-99999999-12345.tmp";
    const std::string live = ".ambiscan-" + std::to_string(::getpid()) + "-12345.tmp";
    writeFile(dir / dead, "partial");
    writeFile(dir / live, "partial");
    EXPECT_EQ(runProgram(dir.path(), {"T", "A"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / dead));
    EXPECT_TRUE(std::filesystem::exists(dir / live));
}

TEST(RobustInput, SecondRunInALockedFolderRefusesBeforeWriting) {
    TempDir dir;
    writeFile(dir / "inits.txt", "345600 8 0.01 0.02 0.03\n");
    const int held = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const RunResult refused = runProgram(dir.path(), {"T", "A"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "another ambiscan run is writing in this folder\n");
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"});
    ::close(held);
    EXPECT_EQ(runProgram(dir.path(), {"T", "A"}).status, 0);
}

TEST(RobustInput, NegativeZeroKeepsItsSign) {
    TempDir dir;
    writeFile(dir / "inits.txt", "345600 8 -0.0 -0 0.5\n");
    const RunResult run = runProgram(dir.path(), {"T", "A"});
    EXPECT_EQ(run.out,
              "A: Bad Init List (Init Num / Time / dE / dN / dU)\n"
              "Init Num = 1 Time = 345600 dE = -0.00 dN = -0.00 dU = 0.50\n");
}

}  // namespace
}  // namespace ambiscan::testing
