#include <gtest/gtest.h>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

const char* const kUsage =
    " \n"
    "Usage:\n"
    "Ambiscan TitleString Legend1 Legend2 Legend3 Legend4 Legend5\n"
    " \n"
    "Where:\n"
    "TitleString = The global title applied to the plots, no spaces\n"
    "              are allowed!\n"
    "Legend1     = Legend applied to the first data set\n"
    "Legend2     = Legend applied to the second data set\n"
    "....\n"
    " \n"
    "The number of legend strings must match the number of different\n"
    "receivers compared. i.e. if 2 receivers are used in the analysis for\n"
    "comparison Legend1 & Legend2 must be present.\n"
    " \n"
    "Example usage:\n"
    "  Two receivers are tested in the RTK initialization tests and\n"
    "  inits.txt created. The syntax for forming the plots is then\n"
    " \n"
    "Ambiscan VeltranaRTKTest V1.00 V0.64\n";

TEST(CommandLine, NoWordOrOneWordPrintsTheUsageTextAndEndsNormally) {
    TempDir dir;
    for (const auto& words : {std::vector<std::string>{}, std::vector<std::string>{"Title"}}) {
        const RunResult run = runProgram(dir.path(), words);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, kUsage);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(CommandLine, SevenWordsIsAnArgumentCountErrorWithoutUsageOrRead) {
    TempDir dir;
    writeFile(dir / "inits.txt", "not read");
    const RunResult run = runProgram(dir.path(), {"T", "a", "b", "c", "d", "e", "f"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "Run-time Error: File: ambiscan Line: 18 Column: 1 The function \"ambiscan\" was "
              "called with more than the declared number of inputs (6).\n");
}

TEST(CommandLine, MissingInitsFileIsReportedWithoutLineEnd) {
    TempDir dir;
    const RunResult run = runProgram(dir.path(), {"Title", "RxA"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Cannot open file inits.txt");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// One line, naming the file as given, and nothing written.
TEST(CommandLine, EmptyInitsFileIsAClearErrorAndWritesNothing) {
    TempDir dir;
    writeFile(dir / "inits.txt", "");
    writeFile(dir / "h.txt", "no numbers here\n");
    const RunResult empty = runProgram(dir.path(), {"Title", "RxA"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "inits.txt holds no init records\n");
    const RunResult text = runProgram(dir.path(), {"-i", "h.txt", "Title", "RxA"});
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err,
              "h.txt line 1: reading stopped at \"no\", which is not a number, before "
              "one whole record of 5 numbers was read\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2);
}

}  // namespace
}  // namespace ambiscan::testing
