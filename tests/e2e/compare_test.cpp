// ambiscan --compare on the bundled example campaign (four runs of one receiver, V1.02 a
// regression in reliability), its refusals, and its page in a real browser (headless Chromium).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "e2e/Browser.hpp"

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

const std::vector<std::string> kVersions = {"V1.00", "V1.01", "V1.02", "V1.03"};

class Campaign : public ::testing::Test {
  protected:
    // Each example run made once, as the README makes them, into runs/<version>.
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        for (const std::string& v : kVersions) {
            const fs::path example = fs::path(AMBISCAN_SOURCE_DIR) / "examples/campaign" / v;
            const RunResult run =
                runProgram(dir_->path(), {"-q", "-i", (example / "inits.txt").string(), "-o",
                                          "runs/" + v, "--no-report", "--label", v, "--note",
                                          "nightly build", "--", "NightlyRTK", "RxA"});
            ASSERT_EQ(run.status, 0) << run.err;
        }
    }
    static void TearDownTestSuite() { delete dir_; }
    static std::vector<std::string> runs() {
        std::vector<std::string> words;
        for (const std::string& v : kVersions) {
            words.push_back("runs/" + v);
        }
        return words;
    }
    static RunResult compare(std::vector<std::string> words) {
        return runProgram(dir_->path(), words);
    }
    static Json json(const fs::path& file) { return Json::parse(readFile(file)); }
    static TempDir* dir_;
};
TempDir* Campaign::dir_ = nullptr;

TEST_F(Campaign, EachRunRecordsItsLabelNoteAndCorrectFixDistribution) {
    const Json s = json(*dir_ / "runs/V1.02/summary.json");
    EXPECT_EQ(s["schema"], "ambiscan-summary/2");
    EXPECT_EQ(s["label"], "V1.02");
    EXPECT_EQ(s["note"], "nightly build");
    const Json& times = s["data_sets"][0]["time_to_correct_fix_s"];
    std::size_t total = times["no_correct_fix"].get<std::size_t>();
    double previous = -1;
    for (const Json& pair : times["distribution"]) {
        EXPECT_GT(pair[0].get<double>(), previous);
        previous = pair[0].get<double>();
        total += pair[1].get<std::size_t>();
    }
    EXPECT_EQ(total, s["data_sets"][0]["attempts"].get<std::size_t>());

    // Without --label the title is the label, and there is no note.
    const TempDir plain;
    fs::copy_file(fs::path(AMBISCAN_SOURCE_DIR) / "examples/campaign/V1.00/inits.txt",
                  plain / "inits.txt");
    ASSERT_EQ(runProgram(plain.path(), {"-q", "--no-report", "NightlyRTK", "RxA"}).status, 0);
    const Json p = json(plain / "summary.json");
    EXPECT_EQ(p["label"], "NightlyRTK");
    EXPECT_TRUE(p["note"].is_null());
}

TEST_F(Campaign, ComparisonFindsTheRegressionAndWritesEveryOutput) {
    std::vector<std::string> words = {"--compare"};
    for (const std::string& r : runs()) {
        words.push_back(r);
    }
    words.insert(words.end(), {"-o", "cmp"});
    const RunResult r = compare(words);
    ASSERT_EQ(r.status, 0) << r.err;
    // One sentence per other run; V1.02 less reliable after Holm's adjustment, the others not.
    EXPECT_NE(r.out.find("V1.02 RxA"), std::string::npos);
    EXPECT_NE(r.out.find("reliability lower than the baseline"), std::string::npos) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);

    const fs::path out = *dir_ / "cmp";
    EXPECT_EQ(filesIn(out),
              (std::set<std::string>{"compare.html", "compare.json", "Trend_RxA_CorrectFix90.png",
                                     "Trend_RxA_CorrectFixCDF.png", "Trend_RxA_Reliability.png"}));
    const Json c = json(out / "compare.json");
    EXPECT_EQ(c["schema"], "ambiscan-compare/1");
    EXPECT_EQ(c["baseline"], 0);
    ASSERT_EQ(c["runs"].size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        const Json summary = json(*dir_ / ("runs/" + kVersions[k] + "/summary.json"));
        EXPECT_EQ(c["runs"][k]["label"], kVersions[k]);
        EXPECT_EQ(c["runs"][k]["title"], "NightlyRTK");
        EXPECT_EQ(c["runs"][k]["input"]["sha256"], summary["input"]["sha256"]);
        EXPECT_EQ(c["runs"][k]["program_version"], summary["program"]["version"]);
        // The trend's 90 % time, worked out from the distribution, is the run's own.
        const Json& own = summary["data_sets"][0]["time_to_correct_fix_s"];
        const Json& point = c["trends"][0]["points"][k];
        EXPECT_EQ(point["correct_fix_p90_s"], own["p90"]) << k;
        EXPECT_EQ(point["correct_fix_p90_ci95_lower_s"], own["p90_ci95"][0]) << k;
        EXPECT_EQ(point["correct_fix_p90_ci95_upper_s"], own["p90_ci95"][1]) << k;
    }
    EXPECT_EQ(c["p_values_adjusted"], 9);
    ASSERT_EQ(c["comparisons"].size(), 3u);
    EXPECT_EQ(c["comparisons"][1]["label"], "V1.02");
    EXPECT_TRUE(c["comparisons"][1]["regression"].get<bool>());
    EXPECT_FALSE(c["comparisons"][0]["regression"].get<bool>());
    EXPECT_FALSE(c["comparisons"][2]["regression"].get<bool>());
    EXPECT_LT(c["comparisons"][1]["reliability"]["difference_ci95_percent"][1].get<double>(), 0);
    EXPECT_TRUE(c["regression"].get<bool>());
    ASSERT_EQ(c["trends"][0]["points"].size(), 4u);
    EXPECT_TRUE(c["trends"][0]["points"][2]["regression"].get<bool>());

    // --fail-on-regression: the same outputs, exit 3 and a line saying why.
    words.push_back("--fail-on-regression");
    const RunResult gate = compare(words);
    EXPECT_EQ(gate.status, 3);
    EXPECT_NE(gate.err.find("significantly worse than the baseline"), std::string::npos);
}

TEST_F(Campaign, BaselineMatchAndFormatsAreObeyed) {
    // --baseline outside the list goes first; two runs draw no trend figures.
    const RunResult r =
        compare({"--compare", "runs/V1.00", "--baseline", "runs/V1.03", "-o", "two"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json c = json(*dir_ / "two/compare.json");
    EXPECT_EQ(c["runs"][0]["label"], "V1.03");
    EXPECT_EQ(c["baseline"], 0);
    EXPECT_EQ(c["comparisons"].size(), 1u);
    EXPECT_EQ(filesIn(*dir_ / "two"), (std::set<std::string>{"compare.html", "compare.json"}));
    // --baseline inside the list keeps its place.
    const RunResult inside = compare({"--compare", "runs/V1.00", "runs/V1.03", "--baseline",
                                      "runs/V1.03/summary.json", "-o", "inside"});
    ASSERT_EQ(inside.status, 0) << inside.err;
    EXPECT_EQ(json(*dir_ / "inside/compare.json")["baseline"], 1);
    EXPECT_EQ(inside.out.rfind("V1.00 RxA", 0), 0u) << inside.out;

    const RunResult svg = compare(
        {"--compare", "runs/V1.00", "runs/V1.01", "runs/V1.02", "--format", "svg", "-o", "svg"});
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_TRUE(fs::exists(*dir_ / "svg/Trend_RxA_Reliability.svg"));
    EXPECT_FALSE(fs::exists(*dir_ / "svg/Trend_RxA_Reliability.png"));
    // The page embeds PNG all the same.
    EXPECT_NE(readFile(*dir_ / "svg/compare.html").find("data:image/png;base64,"),
              std::string::npos);
}

TEST_F(Campaign, RefusalsAreOneLineExitOneAndWriteNothing) {
    const fs::path older = *dir_ / "older";
    fs::create_directories(older);
    std::string text = readFile(*dir_ / "runs/V1.00/summary.json");
    text.replace(text.find("ambiscan-summary/2"), 18, "ambiscan-summary/1");
    writeFile(older / "summary.json", text);
    const fs::path twice = *dir_ / "twice.json";
    Json doubled = json(*dir_ / "runs/V1.00/summary.json");
    doubled["data_sets"].push_back(doubled["data_sets"][0]);
    writeFile(twice, doubled.dump());

    struct Case {
        std::string run, says;
    };
    for (const Case& c : std::vector<Case>{
             {"runs/nothing", "runs/nothing: no such file or folder"},
             {"runs/V1.00/stats.csv", "runs/V1.00/stats.csv: not an ambiscan summary"},
             {"older", "older: schema ambiscan-summary/1 is older than ambiscan-summary/2"},
             {"twice.json", "twice.json: names the legend \"RxA\" twice"},
         }) {
        const RunResult r = compare({"--compare", "runs/V1.00", c.run, "-o", "refused"});
        EXPECT_EQ(r.status, 1) << c.run;
        EXPECT_EQ(r.err.rfind("ambiscan: --compare: " + c.says, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_FALSE(fs::exists(*dir_ / "refused")) << c.run;
    }
    // The command line: one run, options that need --compare, a title after the runs.
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"--compare", "runs/V1.00"},
             {"--baseline", "runs/V1.00", "T", "RxA"},
             {"--compare", "runs/V1.00", "runs/V1.01", "--", "T"},
             {"--compare", "runs/V1.00", "runs/V1.01", "--match", "RxA"}}) {
        const RunResult r = compare(words);
        EXPECT_EQ(r.status, 2) << words[0] << " " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST_F(Campaign, PageOpensInTheBrowserWithEveryVerdictAndFigure) {
    std::vector<std::string> words = {"--compare"};
    for (const std::string& r : runs()) {
        words.push_back(r);
    }
    words.insert(words.end(), {"-o", "page"});
    ASSERT_EQ(compare(words).status, 0);
    ASSERT_TRUE(commandExists("chromium")) << "chromium is not installed (Debian: chromium)";
    const fs::path page = *dir_ / "page/compare.html";
    const std::string html = readFile(page);
    EXPECT_EQ(html.find("http"), std::string::npos);  // nothing fetched
    EXPECT_EQ(html.find("<script"), std::string::npos);

    const TempDir shots;
    const fs::path shot = shots / "page.png";
    const RunResult chromium =
        runChromium(page, "--window-size=1280,1400 --screenshot=" + shellQuoted(shot.string()));
    ASSERT_EQ(chromium.status, 0) << chromium.err;
    const RgbImage image = readRgbPng(shot);
    ASSERT_EQ(image.width, 1280u);
    EXPECT_GT(darkPixels(image, 0, 70), 300u);  // the heading at the top

    const RunResult dom = runChromium(page, "--dump-dom");
    ASSERT_EQ(dom.status, 0) << dom.err;
    std::size_t images = 0;
    for (std::size_t at = dom.out.find("<img"); at != std::string::npos;
         at = dom.out.find("<img", at + 1)) {
        ++images;
    }
    EXPECT_EQ(images, 3u);
    EXPECT_NE(dom.out.find("At least one receiver is significantly worse than the baseline."),
              std::string::npos);
    for (const char* label : {"V1.01 RxA", "V1.02 RxA", "V1.03 RxA"}) {
        EXPECT_NE(dom.out.find(label), std::string::npos) << label;
    }
}

}  // namespace
}  // namespace ambiscan::testing
