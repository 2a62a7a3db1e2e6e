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

// A number ends at white space: a token that starts like one and goes on is text, whole, so
// that a mistyped number or a date never becomes several numbers and shifts the columns.
TEST(ScanNumbers, ATokenThatGoesOnAfterANumberIsText) {
    for (const char* token : {"12abc", "2.0.5", "2024-01-05", "1e5e5", "1e", "0x10", "0x1p3", "5,",
                              "1+2", "infx", "nan(1)", "-inf-", "3.\x01"}) {
        ScanStop stop;
        EXPECT_EQ(scan(std::string("7 ") + token + " 5", &stop), (std::vector<double>{7})) << token;
        EXPECT_TRUE(stop.atText) << token;
        EXPECT_EQ(stop.token, token);
    }
    double value = 0;
    EXPECT_TRUE(isWholeNumber("1e2", value));
    EXPECT_EQ(value, 100);
    for (const char* text : {"", " 50", "50 ", "0x10", "5 0", "--5"}) {
        EXPECT_FALSE(isWholeNumber(text, value)) << '"' << text << '"';
    }
}

TEST(ScanNumbers, ControlBytesMakeATokenNotText) {
    ScanStop stop;
    scan(std::string("1 2\n\0\0\0 3", 10), &stop);
    EXPECT_TRUE(stop.atText && stop.notText);
    EXPECT_EQ(stop.line, 2u);
    scan("1 \x1b[31m 3", &stop);
    EXPECT_TRUE(stop.notText);
    scan("1 caf\xC3\xA9 3", &stop);  // text, if not a number
    EXPECT_TRUE(stop.atText && !stop.notText);
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

// Tokens and white space across the 1 MiB blocks: a number as long as a number may be is read
// whole; a longer one, and text, stop reading after at most what the message shows is held.
TEST(ScanNumbers, LongTokensAcrossBlocksAreBoundedByTheLongestNumber) {
    ScanStop stop;
    const std::string longest = std::string(kLongestNumber - 3, '0') + "1.5";
    for (std::size_t before : {std::size_t{0}, (std::size_t{1} << 20) - 1000}) {
        const std::string pad(before, ' ');
        EXPECT_EQ(
            scanAsFile("\xEF\xBB\xBF"
                       "7 " +
                           pad + longest + " 2\n3 4 5\n" + std::string(3u << 20, '\n') + "6 7 8\n",
                       stop),
            (std::vector<double>{7, 1.5, 2, 3, 4, 5, 6, 7, 8}))
            << before;
        EXPECT_FALSE(stop.atText);
        EXPECT_EQ(scanAsFile("7 " + pad + longest + "0 2", stop), std::vector<double>{7}) << before;
        EXPECT_TRUE(stop.atText);
        EXPECT_EQ(stop.token.size(), kStopTokenBytes);
    }
    EXPECT_EQ(scanAsFile("1 " + std::string(3u << 20, 'x') + " 2", stop), std::vector<double>{1});
    EXPECT_EQ(stop.token, std::string(kStopTokenBytes, 'x'));
    // The in-memory scanner keeps the same bound.
    std::vector<double> values;
    EXPECT_TRUE(scanNumbers("7 " + longest + "0", values).atText);
}

// The file is read once, and every byte of it is shown on the way, also past a stop.
TEST(ScanNumbers, EveryByteReadIsShownInOrder) {
    std::string text;
    for (int k = 0; k < 300000; ++k) {
        text += std::to_string(k) + " ";
    }
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    std::string seen;
    std::vector<double> values;
    scanNumbers(file, values, 0, [&seen](std::string_view bytes) { seen.append(bytes); });
    std::fclose(file);
    EXPECT_EQ(values.size(), 300000u);
    EXPECT_EQ(seen, text);
}

// A file of one record a line (here 3 numbers, at least 90 % of the lines holding numbers)
// with a line of another count would shift every later record's columns.
TEST(ScanNumbers, ALineThatShiftsTheRecordsIsFound) {
    const auto misfit = [](const std::string& text) {
        std::vector<double> values;
        const MisfitLine m = scanNumbers(text, values, 3).misfit;
        return std::pair{m.line, m.count};
    };
    std::string lines;
    for (int k = 0; k < 40; ++k) {
        lines += "1 2 3\n";
    }
    using P = std::pair<std::size_t, std::size_t>;
    EXPECT_EQ(misfit(lines), P(0, 0));
    EXPECT_EQ(misfit("1 2 3\n1 2 3 4\n" + lines), P(2, 4));       // a number too many
    EXPECT_EQ(misfit("1 2 3\n\n1 2\n" + lines), P(3, 2));         // one too few, blank before
    EXPECT_EQ(misfit(lines + "1 2 3 4\n"), P(41, 4));             // a longer last line
    EXPECT_EQ(misfit(lines + "1 2 3 4\n5\n"), P(41, 4));          // ends out of step
    EXPECT_EQ(misfit(lines + "1 2\n"), P(0, 0));                  // a partial last record
    EXPECT_EQ(misfit("1 2\n3\n" + lines + "1\n2 3\n"), P(0, 0));  // records split over lines
    EXPECT_EQ(misfit(lines + "1 2 3 4\nend"), P(41, 4));          // also where reading stopped
    // Laid out freely: fewer than 90 % of the lines hold a record; read as they are.
    EXPECT_EQ(misfit("1 2 3\n1 2 3 4\n1 2 3\n"), P(0, 0));
    EXPECT_EQ(misfit("1\n2\n3\n4\n5\n6\n7\n"), P(0, 0));
    EXPECT_EQ(misfit("1 2 3 4 5 6 7"), P(0, 0));
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
    EXPECT_EQ(dealt(7, 2), plain);   // more numbers than counted (a growing file): the rest grows
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
