#include "app/readInits.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/base/RuntimeError.hpp"

#include "support/RunProgram.hpp"

namespace ambiscan::app {
namespace {

using ambiscan::testing::TempDir;
using ambiscan::testing::writeFile;

struct Read {
    Matrix inits;
    std::string warnings;
    std::string refusal;
    std::string sha256;
};

// Reads `text` as the file "inits.txt" given so (a relative path) in the working folder.
Read readText(const std::string& text, std::size_t recordLength) {
    TempDir dir;
    writeFile(dir / "inits.txt", text);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::ostringstream out, err;
    Read read;
    try {
        const auto file = readInits("inits.txt", recordLength, Console{out, err});
        EXPECT_TRUE(file.has_value());
        if (file) {
            read.inits = file->inits;
            read.sha256 = file->sha256;
        }
    } catch (const RuntimeError& e) {
        read.refusal = e.what();
    }
    std::filesystem::current_path(before);
    EXPECT_EQ(out.str(), "");
    read.warnings = err.str();
    return read;
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
    EXPECT_EQ(read.refusal, "");
}

TEST(ReadInits, AFileWithoutARecordIsRefusedInOneLine) {
    EXPECT_EQ(readText("", 5).refusal, "inits.txt holds no init records");
    EXPECT_EQ(readText("\n \n", 5).refusal, "inits.txt holds no init records");
    const Read header = readText("header 1 2 3", 5);
    EXPECT_EQ(header.refusal,
              "inits.txt line 1: reading stopped at \"header\", which is not a "
              "number, before one whole record of 5 numbers was read");
    EXPECT_EQ(header.warnings, "");
}

// A mistyped number is text: reading stops there, and the record it cuts is not completed
// with zeros, which would be a fix in 0 s.
TEST(ReadInits, TextInsideARecordIsRefusedNamingLineAndToken) {
    const Read read = readText("100 20 25 .01 .02\n101 2.0.5 30 .01 .02\n102 22 31 .01 .02\n", 5);
    EXPECT_EQ(read.refusal,
              "inits.txt line 2: reading stopped at \"2.0.5\", which is not a "
              "number, inside record 2 (a record holds 5 numbers)");
    EXPECT_EQ(read.warnings, "");
    // Between records, the same text ends reading with a warning, as any text does.
    EXPECT_EQ(readText("1 2 3 4 5\n2024-01-05 1 2 3 4\n", 5).warnings,
              "Warning: inits.txt line 2: reading stopped at \"2024-01-05\", which is not a "
              "number; 1 record read.\n");
    EXPECT_EQ(readText(std::string("1 2 3 4 5\n\0\0 1 2 3 4\n", 22), 5).warnings,
              "Warning: inits.txt line 2: reading stopped at \"\\x00\\x00\", which is not "
              "text; 1 record read.\n");
}

TEST(ReadInits, ALineThatWouldShiftTheColumnsIsRefused) {
    std::string lines;
    for (int k = 0; k < 20; ++k) {
        lines += "1 2 3 4 5\n";
    }
    EXPECT_EQ(readText(lines + "1 2 3 4 5 6\n" + lines, 5).refusal,
              "inits.txt line 21 holds 6 numbers where the file's other lines hold one record of "
              "5: the records after it would be read with their columns shifted");
    // A partial last line, and a record split over two lines, are read.
    EXPECT_EQ(readText(lines + "1 2\n", 5).inits.rows(), 21u);
    EXPECT_EQ(readText(lines + "1 2\n3 4 5\n" + lines, 5).inits.rows(), 41u);
}

// The digest is of every byte of the file, also after the text where reading stopped, and
// matches sha256sum's (fixtures from: printf '...' | sha256sum).
TEST(ReadInits, DigestIsOfEveryByteReadOnce) {
    EXPECT_EQ(readText("1 2 3 4 5\n", 5).sha256,
              "e7464530ec48c7398faea385c2e737c855ca15a7f9bb30f0cdc363b5d0f2e3d4");
    EXPECT_EQ(readText("1 2 3 4 5\nend of test\n", 5).sha256,
              "116891cf05b0419270730a53434cb2c462fe06d6abb0d19c94461b125eb0f686");
}

TEST(ReadInits, AMissingFileIsNoResult) {
    TempDir dir;
    std::ostringstream out, err;
    EXPECT_FALSE(readInits(dir / "inits.txt", 5, Console{out, err}).has_value());
}

}  // namespace
}  // namespace ambiscan::app
