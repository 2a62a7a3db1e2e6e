#include "report/ReportHtml.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "platform/encoding/Base64.hpp"

namespace ambiscan::report {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

struct SampleRun {
    analysis::RunResults results;
    evidence::RunEvidence evidence;
    std::vector<analysis::FigureFile> figures;
    std::vector<std::string> scatters;
};

// Two receivers, one with a legend that is markup; the first has one bad fix.
SampleRun twoReceivers() {
    SampleRun run;
    run.results.title = "Test & <i>title</i>";
    run.results.startTimes = Matrix::column({72002, 72073, 93600});
    run.results.hours = 6.0;
    for (const std::string name : {"V1.00", "<b>x</b>\"q\"&"}) {
        analysis::DataSetResults d;
        d.name = name;
        run.results.dataSets.push_back(d);
        evidence::DataSetEvidence e;
        e.name = name;
        e.reliabilityCi95Percent = {97.12, 99.84};
        e.p90Ci95 = {30, std::numeric_limits<double>::quiet_NaN()};
        run.evidence.dataSets.push_back(e);
    }
    run.evidence.dataSets[0].badFixes.push_back({2, 72073, 0.25, -0.125, 0.0312});
    evidence::Comparison c;
    c.a = 0;
    c.b = 1;
    run.evidence.comparisons.push_back(c);
    run.evidence.comparedPValues = 2;
    const std::string legend = run.results.dataSets[1].name;
    for (const std::string& name :
         std::vector<std::string>{"InitTimeDist.png", "V1.00_PosData.png", legend + "_ENU_Hist.png",
                                  "InitTimeCDF.png"}) {
        run.figures.push_back({name, base64("png of " + name)});
    }
    run.scatters = {base64("scatter 1"), base64("scatter 2")};
    return run;
}

std::string page(const SampleRun& run) {
    return reportHtml(
        {run.results, run.evidence, run.figures, run.scatters, {"inits.txt", "ab12", "1.1.0"}});
}

TEST(ReportHtml, SectionsComeInOrderAndEveryFigureIsEmbeddedOnce) {
    const SampleRun run = twoReceivers();
    const std::string html = page(run);
    std::size_t at = 0;
    for (const std::string heading : {"<h1>", "<h2>Verdict", "<h2>Statistics", "<h2>Figures",
                                      "<h2>Bad fixes", "<h2>How these numbers are defined"}) {
        const std::size_t next = html.find(heading, at);
        ASSERT_NE(next, std::string::npos) << heading;
        at = next;
    }
    EXPECT_EQ(count(html, "<img "), 6u);
    for (const auto& f : run.figures) {
        EXPECT_EQ(count(html, f.content), 1u) << f.fileName;
    }
    // SampleRun figures first in the order written; each receiver's under its name, scatter last.
    const auto pos = [&](const std::string& png) { return html.find(base64(png)); };
    EXPECT_LT(pos("png of InitTimeDist.png"), pos("png of InitTimeCDF.png"));
    EXPECT_LT(pos("png of InitTimeCDF.png"), html.find("<h3>V1.00</h3>"));
    EXPECT_LT(html.find("<h3>V1.00</h3>"), pos("png of V1.00_PosData.png"));
    EXPECT_LT(pos("png of V1.00_PosData.png"), pos("scatter 1"));
    EXPECT_LT(pos("scatter 1"), pos("png of " + run.results.dataSets[1].name + "_ENU_Hist.png"));
    EXPECT_LT(pos("png of " + run.results.dataSets[1].name + "_ENU_Hist.png"), pos("scatter 2"));
    // Each image tag gives its own size: the scatters are square.
    EXPECT_EQ(count(html, "width=\"1200\" height=\"900\""), 4u);
    EXPECT_EQ(count(html, "width=\"600\" height=\"600\""), 2u);
    // Nothing that runs or fetches.
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);
}

TEST(ReportHtml, TextsFromTheUserAreEscapedEverywhere) {
    const std::string html = page(twoReceivers());
    EXPECT_EQ(html.find("<b>x"), std::string::npos);
    EXPECT_EQ(html.find("<i>title"), std::string::npos);
    EXPECT_NE(html.find("<h1>Test &amp; &lt;i&gt;title&lt;/i&gt;</h1>"), std::string::npos);
    EXPECT_NE(html.find("<h3>&lt;b&gt;x&lt;/b&gt;&quot;q&quot;&amp;</h3>"), std::string::npos);
}

TEST(ReportHtml, RunLineTableAndBadFixesShowTheNumbers) {
    SampleRun run = twoReceivers();
    run.evidence.dataSets[1].p90 = std::numeric_limits<double>::quiet_NaN();
    const std::string html = page(run);
    EXPECT_NE(html.find("3 records · 2 receivers · run length 6.0 hours · first start Day0 "
                        "20:00:02 · last start Day1 02:00:00 (GPS)"),
              std::string::npos);
    EXPECT_NE(html.find("SHA-256 <span class=\"sha\">ab12</span> · ambiscan 1.1.0"),
              std::string::npos);
    EXPECT_EQ(count(html, "<td>97.1–99.8 %</td>"), 2u);
    EXPECT_EQ(count(html, "<td>≥ 30 s (upper cannot be bounded)</td>"), 2u);
    EXPECT_NE(html.find("<th scope=\"row\">90 % time to fix</th><td>0 s</td><td>not within 500 "
                        "s</td>"),
              std::string::npos);
    EXPECT_NE(html.find("<tr><td>2</td><td>Day0 20:01:13</td><td>0.2500</td><td>-0.1250</td>"
                        "<td>0.0312</td></tr>"),
              std::string::npos);
    EXPECT_EQ(count(html, "<p>none</p>"), 1u);  // the second receiver has no bad fix
    EXPECT_NE(html.find("adjusted by Holm's method over all 2 comparisons of this run"),
              std::string::npos);
}

// "Never reached" and "cannot be bounded" are different answers and read differently.
TEST(ReportHtml, TimesNeverReachedAndBoundsNotGivenAreSaidApart) {
    SampleRun run = twoReceivers();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    evidence::DataSetEvidence& a = run.evidence.dataSets[0];
    a.timeToCorrectFixP90 = inf;
    a.timeToCorrectFixP90Ci95 = {41.5, inf};
    a.timeToCorrectFixP50 = 12.25;
    a.timeToCorrectFixP50Ci95 = {nan, nan};
    evidence::DataSetEvidence& b = run.evidence.dataSets[1];
    b.timeToCorrectFixP90Ci95 = {inf, inf};
    b.timeToCorrectFixP50Ci95 = {nan, 20};
    const std::string html = page(run);
    EXPECT_NE(html.find("<th scope=\"row\">90 % time to a correct fix</th><td>&gt; 500 s</td>"),
              std::string::npos);
    EXPECT_NE(html.find("<th scope=\"row\">90 % time to a correct fix, 95 % interval</th><td>41.5 "
                        "s to &gt; 500 s</td><td>&gt; 500 s</td>"),
              std::string::npos);
    EXPECT_NE(html.find("<td>12.2 s</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>cannot be bounded</td><td>≤ 20.0 s (lower cannot be bounded)</td>"),
              std::string::npos);
}

// Clustered bad fixes (fewer runs than chance gives) warn that the intervals are too narrow;
// below 10 bad fixes, or at p >= 0.01, nothing is said.
TEST(ReportHtml, ClusteredBadFixesPutAWarningUnderTheTable) {
    SampleRun run = twoReceivers();
    evidence::Independence clustered;
    clustered.runs = 9;
    clustered.good = 90;
    clustered.bad = 10;
    clustered.expectedRuns = 19;
    clustered.runsTestP = 0.0004;
    run.evidence.dataSets[0].independence = clustered;
    evidence::Independence few = clustered;
    few.bad = 9;
    run.evidence.dataSets[1].independence = few;
    const std::string html = page(run);
    EXPECT_EQ(count(html, "<p class=\"warning\">"), 1u);
    EXPECT_NE(
        html.find("<strong>V1.00</strong>: bad fixes come in clusters (9 runs of good and "
                  "bad fixes where 19 would be expected, runs test p &lt; 0.001): the attempts "
                  "are not independent and every interval above is too narrow."),
        std::string::npos);
    EXPECT_LT(html.find("<h2>Statistics"), html.find("<p class=\"warning\">"));
    EXPECT_LT(html.find("<p class=\"warning\">"), html.find("<h2>Figures"));
}

TEST(ReportHtml, OneReceiverHasNoPairToCompareAndNoNoteOnPairs) {
    SampleRun run = twoReceivers();
    run.results.dataSets.pop_back();
    run.evidence.dataSets.pop_back();
    run.evidence.comparisons.clear();
    const std::string html = page(run);
    EXPECT_NE(html.find("<p>One receiver: there is no pair to compare.</p>"), std::string::npos);
    EXPECT_EQ(html.find("<p class=\"note\">"), std::string::npos);
}

}  // namespace
}  // namespace ambiscan::report
