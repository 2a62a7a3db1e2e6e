#include "platform/numeric/NumberScanner.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace ambiscan {
namespace {

std::vector<double> scan(const std::string& text, ScanStop* stopOut = nullptr) {
    std::vector<double> values;
    ScanStop stop = scanNumbers(text, values);
    if (stopOut != nullptr) {
        *stopOut = stop;
    }
    return values;
}

TEST(ScanNumbers, DecimalForms) {
    EXPECT_EQ(scan("12 -0.5 .5 1e3 3. +7 2.5E-1"),
              (std::vector<double>{12, -0.5, 0.5, 1000, 3, 7, 0.25}));
}

TEST(ScanNumbers, WhiteSpaceOfAnyKindSeparates) {
    EXPECT_EQ(scan("1\t2\r\n3\n\n  4 "), (std::vector<double>{1, 2, 3, 4}));
}

TEST(ScanNumbers, InfAndNaNInAnyLetterCase) {
    const std::vector<double> v = scan("Inf -inf INFINITY nan NaN +Inf");
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(v[0], std::numeric_limits<double>::infinity());
    EXPECT_EQ(v[1], -std::numeric_limits<double>::infinity());
    EXPECT_EQ(v[2], std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(v[3]) && std::isnan(v[4]));
    EXPECT_EQ(v[5], std::numeric_limits<double>::infinity());
}

TEST(ScanNumbers, StopsAtTheFirstTextThatIsNoNumber) {
    ScanStop stop;
    EXPECT_EQ(scan("1 2\n3 abc 4", &stop), (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(stop.atText);
    EXPECT_EQ(stop.line, 2u);
    EXPECT_EQ(stop.token, "abc");
}

TEST(ScanNumbers, TakesTheLongestNumberPrefixOfAToken) {
    ScanStop stop;
    EXPECT_EQ(scan("12abc 5", &stop), (std::vector<double>{12}));
    EXPECT_EQ(stop.token, "abc");
    EXPECT_EQ(scan("1.5.3"), (std::vector<double>{1.5, 0.3}));
    EXPECT_EQ(scan("1e 2"), (std::vector<double>{1}));
}

TEST(ScanNumbers, HexadecimalIsNotDecimal) {
    ScanStop stop;
    EXPECT_EQ(scan("0x10 5", &stop), (std::vector<double>{0}));
    EXPECT_EQ(stop.token, "x10");
}

TEST(ScanNumbers, LoneSignsAndPointsAreText) {
    EXPECT_TRUE(scan("- 1").empty());
    EXPECT_TRUE(scan(". 1").empty());
    EXPECT_TRUE(scan("word 1").empty());
    ScanStop stop;
    EXPECT_TRUE(scan("", &stop).empty());
    EXPECT_FALSE(stop.atText);
}

TEST(ScanNumbers, OutOfRangeValuesSaturate) {
    const std::vector<double> v = scan("1e999 -1e999 1e-999 4.9e-324");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0], std::numeric_limits<double>::infinity());
    EXPECT_EQ(v[1], -std::numeric_limits<double>::infinity());
    EXPECT_EQ(v[2], 0);
    EXPECT_GT(v[3], 0);
}

TEST(ScanNumbers, NegativeZeroKeepsItsSign) {
    const std::vector<double> v = scan("-0.0 -0 -0e5 -.0 0");
    ASSERT_EQ(v.size(), 5u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(v[k] == 0 && std::signbit(v[k])) << k;
    }
    EXPECT_FALSE(std::signbit(v[4]));
}

TEST(ScanNumbers, ByteOrderMarkAtTheStartOnlyIsSkipped) {
    ScanStop stop;
    EXPECT_EQ(scan("\xEF\xBB\xBF"
                   "1 2",
                   &stop),
              (std::vector<double>{1, 2}));
    EXPECT_FALSE(stop.atText);
    EXPECT_EQ(scan("1 \xEF\xBB\xBF"
                   "2",
                   &stop),
              (std::vector<double>{1}));
    EXPECT_EQ(stop.token,
              "\xEF\xBB\xBF"
              "2");
}

TEST(ScanNumbers, CountOfNumbersOnEveryLineIsReported) {
    ScanStop stop;
    scan("1 2 3\n\n4 5 6\r\n7 8\n", &stop);  // blank line passed over, last line short
    EXPECT_EQ(stop.numbersPerLine, 3u);
    scan("1.5.3 4\n5 6 7\n", &stop);  // numbers, not tokens
    EXPECT_EQ(stop.numbersPerLine, 3u);
    scan("1 2\n3 4\n5 6 x 9\n", &stop);  // the line where reading stopped counts up to there
    EXPECT_EQ(stop.numbersPerLine, 2u);
    for (const char* other : {"1 2 3", "1 2\n3\n4 5", "1 2\n3 4 5", ""}) {
        scan(other, &stop);
        EXPECT_EQ(stop.numbersPerLine, 0u) << other;
    }
}

// Reads `text` as a file, in the blocks of the file reader.
std::vector<double> scanAsFile(const std::string& text, ScanStop& stop) {
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    std::vector<double> values;
    stop = scanNumbers(file, values);
    std::fclose(file);
    return values;
}

TEST(ScanNumbers, TokensLongerThanABlockAreReadWhole) {
    // 3 MiB tokens across the 1 MiB blocks: a number, white space, and text.
    const std::string zeros(3u << 20, '0');
    ScanStop stop;
    EXPECT_EQ(scanAsFile("\xEF\xBB\xBF"
                         "7 " +
                             zeros + "1 2\n3 4 5\n" + std::string(3u << 20, '\n') + "6 7 8\n",
                         stop),
              (std::vector<double>{7, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(stop.numbersPerLine, 3u);
    EXPECT_EQ(scanAsFile("1 " + std::string(3u << 20, 'x') + " 2", stop), std::vector<double>{1});
    EXPECT_EQ(stop.token.size(), 160u);
    EXPECT_EQ(stop.token.back(), 'x');
}

TEST(ScanNumbers, FileReadAcrossChunkBoundariesGivesTheSameNumbers) {
    std::string text;
    std::vector<double> expected;
    for (int k = 0; k < 400000; ++k) {
        text += std::to_string(k) + ".25 ";
        expected.push_back(k + 0.25);
    }
    text += "\nend";
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    std::vector<double> values;
    const ScanStop stop = scanNumbers(file, values);
    std::fclose(file);
    EXPECT_EQ(values, expected);
    EXPECT_TRUE(stop.atText);
    EXPECT_EQ(stop.line, 2u);
    EXPECT_EQ(stop.token, "end");
}

}  // namespace
}  // namespace ambiscan

namespace ambiscan {
namespace {

// The numbers 1..n dealt to three columns, with a room of `expected` records.
Matrix dealt(std::size_t n, std::size_t expected) {
    ColumnDealer dealer(3);
    dealer.expectRecords(expected);
    for (std::size_t k = 1; k <= n; ++k)
        dealer.push_back(static_cast<double>(k));
    return dealer.takeMatrix();
}

TEST(ColumnDealer, RecordsBecomeRowsWhateverRoomWasExpected) {
    // 7 numbers: two whole records and one of a single number, completed with zeros.
    const Matrix plain(3, 3, {1, 4, 7, 2, 5, 0, 3, 6, 0});
    EXPECT_EQ(dealt(7, 0), plain);   // no room: growing columns
    EXPECT_EQ(dealt(7, 3), plain);   // room just right
    EXPECT_EQ(dealt(7, 10), plain);  // reading stopped early: the columns close up
    EXPECT_EQ(dealt(7, 2), plain);   // more numbers than tokens ("1.5.3"): the rest grows
    EXPECT_EQ(dealt(0, 4), Matrix());
}

TEST(ColumnDealer, TokensAreCountedAcrossBlocksAndSpaces) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::string text = " 1\t2.5\n\n-3 x ";
    text += std::string(3u << 20, ' ') + "4 5";  // a token on either side of block ends
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    EXPECT_EQ(countTokens(file), 6u);
    std::fclose(file);
}

}  // namespace
}  // namespace ambiscan
