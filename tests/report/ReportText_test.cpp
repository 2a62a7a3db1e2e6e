// The small text pieces of the report: escaping, numbers, times, captions.
#include <gtest/gtest.h>

#include <cstdint>
#include <nlohmann/json.hpp>
#include <vector>

#include <limits>
#include <string>

#include "report/FigureCaptions.hpp"
#include "report/HtmlText.hpp"
#include "report/ReportNumbers.hpp"

namespace ambiscan::report {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(EscapeHtml, MarkupQuotesAndAmpersandsBecomeCharacterReferences) {
    EXPECT_EQ(escapeHtml("<b>x</b> \"q\" 'a' &amp;"),
              "&lt;b&gt;x&lt;/b&gt; &quot;q&quot; &#39;a&#39; &amp;amp;");
    EXPECT_EQ(escapeHtml("V1.00 Rx_ä"), "V1.00 Rx_ä");  // plain text and UTF-8 untouched
}

// The page declares UTF-8: bytes that are not become U+FFFD exactly where summary.json's
// writer (nlohmann::json, replacing) puts them, checked on every kind of broken sequence
// and on seeded random bytes.
TEST(EscapeHtml, BytesThatAreNotUtf8BecomeReplacementsAsInSummaryJson) {
    const auto asJson = [](const std::string& text) {
        const std::string dumped =
            nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        return dumped.substr(1, dumped.size() - 2);
    };
    std::vector<std::string> cases = {"Rx\xff",       "\xc3",         "\xc3\xa9\xa9",
                                      "\xe2\x82",     "\xe2\x82x",    "\xe0\x80\x80",
                                      "\xed\xa0\x80", "\xf0\x9f\x98", "\xf4\x90\x80\x80",
                                      "\xc0\xaf",     "\xf8\x88\x80", "ok \xe2\x82\xac"};
    std::uint32_t seed = 12345;
    for (int n = 0; n < 2000; ++n) {
        std::string bytes;
        for (int k = 0; k < 12; ++k) {
            seed = seed * 1664525u + 1013904223u;
            // Mostly bytes of multi-byte characters, some letters.
            const unsigned byte =
                (seed >> 24) % 3 == 0 ? 'a' + (seed >> 8) % 26 : 0x80 + (seed >> 8) % 0x78;
            bytes += static_cast<char>(byte);
        }
        cases.push_back(bytes);
    }
    for (const std::string& text : cases) {
        EXPECT_EQ(escapeHtml(text), asJson(text)) << ::testing::PrintToString(text);
    }
}

TEST(ReportNumbers, FixedRoundsAndShowsUndefinedAsADash) {
    EXPECT_EQ(fixed(98.333, 1, "%"), "98.3 %");
    EXPECT_EQ(fixed(38.5, 0, "s"), "38 s");  // printf rounds the tie to even
    EXPECT_EQ(fixed(-0.00004, 4, "m"), "0.0000 m");
    EXPECT_EQ(fixed(kNaN, 1, "s"), "—");
    EXPECT_EQ(fixed(std::numeric_limits<double>::infinity(), 1), "—");
}

TEST(ReportNumbers, IntervalsShowBothBoundsOrTheOneGiven) {
    EXPECT_EQ(interval({97.12, 99.84}, 1, "%"), "97.1–99.8 %");
    EXPECT_EQ(interval({30, kNaN}, 0, "s"), "≥ 30 s");
    EXPECT_EQ(interval({kNaN, 41}, 0, "s"), "≤ 41 s");
    EXPECT_EQ(interval({kNaN, kNaN}, 0, "s"), "—");
}

TEST(ReportNumbers, PValuesKeepTheirSideOfTheSignificanceLevel) {
    EXPECT_EQ(pValue(0.0004), "p < 0.001");
    EXPECT_EQ(pValue(0.0012), "p = 0.0012");
    EXPECT_EQ(pValue(0.38), "p = 0.38");
    EXPECT_EQ(pValue(0.0123), "p = 0.012");
    EXPECT_EQ(pValue(0.0496), "p = 0.0496");  // not "0.050": it is significant
    EXPECT_EQ(pValue(0.0504), "p = 0.050");
    EXPECT_EQ(pValue(1.0), "p = 1");
}

TEST(ReportNumbers, GpsTimesReadAsTheTimeAxesLabelThem) {
    EXPECT_EQ(gpsDayAndTime(4 * 86400 + 2), "Day4 00:00:02");
    EXPECT_EQ(gpsDayAndTime(72002), "Day0 20:00:02");
    EXPECT_EQ(gpsDayAndTime(86400 + 7200 + 60 * 59 + 59.9), "Day1 02:59:59");
    EXPECT_EQ(gpsDayAndTime(-1), "Day6 23:59:59");  // before the week began: the week before
    EXPECT_EQ(gpsDayAndTime(7 * 86400 + 3600), "Day7 01:00:00");  // rolled over, as the axes
}

TEST(FigureCaptions, ReceiverFiguresGoUnderTheLegendWhoseFilesTheyAre) {
    const std::vector<std::string> names = {"A", "A_East", "<b>"};
    EXPECT_FALSE(placeFigure("InitTimeCDF.png", names).dataSet.has_value());
    EXPECT_EQ(placeFigure("A_East_Hist.png", names).dataSet, 0u);
    EXPECT_EQ(placeFigure("A_East_East_Hist.png", names).dataSet, 1u);
    EXPECT_EQ(placeFigure("<b>_PosData_GoodOnly.png", names).dataSet, 2u);
    const FigurePlace unknown = placeFigure("B_PosData.png", names);
    EXPECT_FALSE(unknown.dataSet.has_value());
    EXPECT_EQ(unknown.caption, "B_PosData.png");
}

}  // namespace
}  // namespace ambiscan::report
