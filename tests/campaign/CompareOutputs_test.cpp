#include <gtest/gtest.h>

#include "campaign/CompareHtml.hpp"
#include "campaign/CompareJson.hpp"
#include "campaign/TrendFigures.hpp"

namespace ambiscan::campaign {
namespace {

RunRecord run(const std::string& label, std::size_t good, std::size_t correct) {
    RunRecord r;
    r.source = "runs/" + label;
    r.label = label;
    r.title = "Nightly";
    r.inputSha256 = "00ff";
    ReceiverRecord rx{"RxA", 100, good, {}};
    rx.times.finite = {{20, correct / 2}, {35, correct - correct / 2}};
    rx.times.noCorrectFix = 100 - correct;
    r.receivers = {rx};
    return r;
}

TEST(CompareOutputs, JsonHoldsTheRunsEveryNumberAndNullForWhatIsNotFinite) {
    // The third run never fixes correctly: its 90 % time is not reached, its shift undefined.
    const Campaign c =
        compareCampaign({run("V1", 99, 99), run("<b>V2</b>", 98, 97), run("V3", 20, 0)}, 0, {});
    const std::vector<ReceiverTrend> trends = receiverTrends(c);
    const Json j = compareJson(c, trends);
    EXPECT_EQ(j["schema"], "ambiscan-compare/1");
    EXPECT_EQ(j["runs"][1]["label"], "<b>V2</b>");
    EXPECT_EQ(j["runs"][0]["input"]["sha256"], "00ff");
    EXPECT_TRUE(j["runs"][0]["note"].is_null());
    EXPECT_EQ(j["p_values_adjusted"], 6);
    const Json& never = j["comparisons"][1];
    EXPECT_TRUE(never["time_to_correct_fix"]["hodges_lehmann_s"].is_null());
    EXPECT_EQ(never["correct_fix"]["correct"], 0);
    EXPECT_TRUE(never["regression"].get<bool>());
    EXPECT_EQ(never["time_to_correct_fix"]["method"], "normal");
    const Json& point = j["trends"][0]["points"][2];
    EXPECT_TRUE(point["correct_fix_p90_s"].is_null());
    EXPECT_TRUE(point["correct_fix_p90_s_not_reached"].get<bool>());
    EXPECT_TRUE(j["regression"].get<bool>());

    // Three runs: three figures of the one receiver, named after it.
    const std::vector<TrendFigure> figures = trendFigures(c, trends);
    ASSERT_EQ(figures.size(), 3u);
    EXPECT_EQ(figures[0].name, "Trend_RxA_Reliability");
    EXPECT_EQ(figures[2].name, "Trend_RxA_CorrectFixCDF");
}

TEST(CompareOutputs, PageEscapesTheRunsTextsAndFetchesNothing) {
    const Campaign c = compareCampaign({run("V1", 99, 99), run("<b>V2</b>", 98, 97)}, 0, {});
    const std::string html = compareHtml(c, {{"a <caption>", "\x89PNG"}});
    EXPECT_EQ(html.find("<b>V2"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;V2&lt;/b&gt; RxA"), std::string::npos);
    EXPECT_NE(html.find("<figcaption>a &lt;caption&gt;</figcaption>"), std::string::npos);
    EXPECT_NE(html.find("data:image/png;base64,iVBORw=="), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);
    EXPECT_NE(html.find("No receiver is significantly worse than the baseline."),
              std::string::npos);
    EXPECT_NE(html.find("paired test"), std::string::npos);
}

}  // namespace
}  // namespace ambiscan::campaign
