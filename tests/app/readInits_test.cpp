#include "app/readInits.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "support/RunProgram.hpp"

namespace ambiscan::app {
namespace {

using ambiscan::testing::TempDir;
using ambiscan::testing::writeFile;

struct Read {
    Matrix inits;
    std::string warnings;
};

Read readText(const std::string& text, std::size_t recordLength) {
    TempDir dir;
    writeFile(dir / "inits.txt", text);
    std::ostringstream out, err;
    const auto file = readInits(dir / "inits.txt", recordLength, Console{out, err});
    EXPECT_TRUE(file.has_value());
    EXPECT_EQ(out.str(), "");
    return {file ? file->inits : Matrix(), err.str()};
}

TEST(ReadInits, RecordsAreCountedByNumbersNotLines) {
    const Matrix expected(2, 5, {100, 200, 30, 40, 0.01, 0.02, -0.01, -0.02, 0.1, 0.2});
    EXPECT_EQ(readText("100 30 0.01 -0.01 0.1\n200 40 0.02 -0.02 0.2\n", 5).inits, expected);
    EXPECT_EQ(readText("100 30 0.01 -0.01 0.1 200 40 0.02 -0.02 0.2", 5).inits, expected);
    EXPECT_EQ(readText("100\n30\n0.01\n-0.01\n0.1\n200\n40\n0.02\n-0.02\n0.2\n", 5).inits,
              expected);
}

TEST(ReadInits, PartialLastRecordIsCompletedWithZerosAndWarned) {
    const Read read = readText("1 2 3 4 5 6 7 8 9 10 11", 9);
    ASSERT_EQ(read.inits.rows(), 2u);
    ASSERT_EQ(read.inits.cols(), 9u);
    EXPECT_EQ(read.inits.rowAt(1), Matrix::row({10, 11, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_NE(read.warnings.find("holds 11 numbers, not a whole number of 9-number records"),
              std::string::npos)
        << read.warnings;
}

TEST(ReadInits, FiveDataSetsGiveTwentyOneColumns) {
    std::string text;
    for (int k = 1; k <= 21; ++k) {
        text += std::to_string(k) + " ";
    }
    const Matrix inits = readText(text, 21).inits;
    ASSERT_EQ(inits.cols(), 21u);
    EXPECT_EQ(inits(0, 18), 19);
    EXPECT_EQ(inits(0, 20), 21);
}

TEST(ReadInits, ReadingStopsAtTextAndWarnsWithLineAndToken) {
    const Read read = readText("1 2 3 4 5\n6 7 8 9 10\nend of test 1 2 3 4 5\n", 5);
    EXPECT_EQ(read.inits.rows(), 2u);
    EXPECT_EQ(read.warnings,
              "Warning: inits.txt line 3: reading stopped at \"end\", which is not a number; 2 "
              "records read.\n");
}

TEST(ReadInits, AFileWithoutNumbersGivesAnEmptyMatrix) {
    EXPECT_TRUE(readText("", 5).inits.empty());
    EXPECT_TRUE(readText("header 1 2 3", 5).inits.empty());
}

TEST(ReadInits, AMissingFileIsNoResult) {
    TempDir dir;
    std::ostringstream out, err;
    EXPECT_FALSE(readInits(dir / "inits.txt", 5, Console{out, err}).has_value());
}

}  // namespace
}  // namespace ambiscan::app
