// The report of a real run, opened, shot and printed by a real browser (headless Chromium) and
// read back with poppler. Chromium is part of the test set-up: without it these tests fail.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>

#include "e2e/Browser.hpp"

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;

// A title and a legend that are markup; a legend cannot hold "/", a title can.
const std::string kTitle = "<b>x</b>\"q\"&amp;";
const std::string kLegend = "<i>R\"x\"&";

// Words and sentences as a browser lays them out in a PDF: every run of blanks one space.
std::string oneLine(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

std::string unescaped(std::string html) {
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}}) {
        html = std::regex_replace(html, std::regex(from), to);
    }
    return html;
}

class ReportInBrowser : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        fs::copy_file(fs::path(AMBISCAN_SOURCE_DIR) / "examples/two-receivers-midnight/inits.txt",
                      *dir_ / "inits.txt");
        run_ = new RunResult(runProgram(dir_->path(), {kTitle, "V1.00", kLegend}));
    }
    static void TearDownTestSuite() {
        delete run_;
        delete dir_;
    }
    void SetUp() override {
        ASSERT_EQ(run_->status, 0) << run_->err;
        ASSERT_TRUE(fs::exists(report())) << "no report.html";
        ASSERT_TRUE(commandExists("chromium")) << "chromium is not installed (Debian: chromium)";
    }
    static fs::path report() { return *dir_ / "report.html"; }
    static std::size_t figuresWritten() {
        std::size_t n = 0;
        for (const auto& entry : fs::directory_iterator(dir_->path())) {
            n += entry.path().extension() == ".png" ? 1 : 0;
        }
        return n;
    }
    static TempDir* dir_;
    static RunResult* run_;
};
TempDir* ReportInBrowser::dir_ = nullptr;
RunResult* ReportInBrowser::run_ = nullptr;

TEST_F(ReportInBrowser, ScreenshotAt1280PixelsShowsTheTitleAtTheTopOfAFullPage) {
    const TempDir shots;
    const fs::path shot = shots / "page.png";
    const RunResult chromium =
        runChromium(report(), "--window-size=1280,1400 --screenshot=" + shellQuoted(shot.string()));
    ASSERT_EQ(chromium.status, 0) << chromium.err;
    const RgbImage image = readRgbPng(shot);
    ASSERT_EQ(image.width, 1280u);
    ASSERT_EQ(image.height, 1400u);
    // The title's letters in the first 70 rows; the page below holds far more than a blank one.
    EXPECT_GT(darkPixels(image, 0, 70), 300u);
    EXPECT_GT(darkPixels(image, 0, image.height), 20000u);

    const RunResult dom = runChromium(report(), "--dump-dom");
    ASSERT_EQ(dom.status, 0) << dom.err;
    EXPECT_NE(dom.out.find("<h1>&lt;b&gt;x&lt;/b&gt;\"q\"&amp;amp;</h1>"), std::string::npos);
}

TEST_F(ReportInBrowser, PrintedPdfHoldsNamesVerdictsTableValuesAndEveryFigure) {
    const TempDir printed;
    const fs::path pdf = printed / "report.pdf";
    const RunResult chromium =
        runChromium(report(), "--no-pdf-header-footer --print-to-pdf=" + shellQuoted(pdf.string()));
    ASSERT_EQ(chromium.status, 0) << chromium.err;
    const RunResult text = runShell("pdftotext -enc UTF-8 " + shellQuoted(pdf.string()) + " -");
    ASSERT_EQ(text.status, 0) << text.err;
    const std::string words = oneLine(text.out);

    EXPECT_NE(words.find("V1.00"), std::string::npos);
    EXPECT_NE(words.find(kLegend), std::string::npos);
    EXPECT_NE(words.find(kTitle), std::string::npos);  // as typed, nothing made bold or decoded
    // Every verdict sentence of the page, as printed.
    const std::string html = readFile(report());
    const std::regex item("<li>([^<]*reliability[^<]*)</li>");
    std::size_t sentences = 0;
    for (std::sregex_iterator it(html.begin(), html.end(), item), end; it != end; ++it) {
        EXPECT_NE(words.find(oneLine(unescaped((*it)[1]))), std::string::npos) << (*it)[1];
        ++sentences;
    }
    EXPECT_EQ(sentences, 1u);  // one pair
    // The reliability of each receiver as stats.csv has it (fourth field; neither the title
    // nor the legends hold a comma), rounded to the table's 0.1 %.
    std::istringstream csv(readFile(*dir_ / "stats.csv"));
    std::string line;
    std::getline(csv, line);
    while (std::getline(csv, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 4; ++i) {
            std::getline(fields, field, ',');
        }
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.1f %%", std::stod(field));
        EXPECT_NE(words.find(expected), std::string::npos) << expected;
    }

    // One image per figure: the files of the run and one scatter per receiver, all decoded.
    const RunResult images = runShell("pdfimages -list " + shellQuoted(pdf.string()));
    ASSERT_EQ(images.status, 0) << images.err;
    std::istringstream list(images.out);
    std::size_t rows = 0;
    for (std::string row; std::getline(list, row);) {
        rows += row.empty() ? 0 : 1;
    }
    EXPECT_EQ(rows - 2, figuresWritten() + 2) << images.out;  // two heading lines
}

}  // namespace
}  // namespace ambiscan::testing
