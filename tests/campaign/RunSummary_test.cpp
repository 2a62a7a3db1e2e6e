#include "campaign/RunSummary.hpp"

#include <gtest/gtest.h>

#include "platform/base/RuntimeError.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::campaign {
namespace {

using testing::TempDir;
using testing::writeFile;

// A schema-2 summary of one or two receivers, as a run writes the keys a comparison reads.
std::string summary(const std::string& schema, const std::string& secondLegend = "",
                    const std::string& distribution = "[[12.0, 2], [30.5, 1]]") {
    std::string receivers =
        R"({"name": "RxA", "attempts": 4, "good": 3, "bad": 1,
            "time_to_correct_fix_s": {"distribution": )" +
        distribution + R"(, "no_correct_fix": 1}})";
    if (!secondLegend.empty()) {
        receivers += R"(, {"name": ")" + secondLegend + R"(", "attempts": 1, "good": 1,
            "time_to_correct_fix_s": {"distribution": [[5, 1]], "no_correct_fix": 0}})";
    }
    return R"({"schema": ")" + schema + R"(", "title": "Nightly", "label": "V1.00",
        "note": "rig 2", "program": {"name": "ambiscan", "version": "1.1.0"},
        "input": {"file": "inits.txt", "sha256": "ab12", "records": 4, "data_sets": 1},
        "data_sets": [)" +
           receivers + "]}";
}

TEST(RunSummary, ReadsAFolderOrTheFileItself) {
    const TempDir dir;
    writeFile(dir / "summary.json", summary("ambiscan-summary/2", "RxB"));
    for (const std::filesystem::path& run : {dir.path(), dir / "summary.json"}) {
        const RunRecord r = readRunSummary(run);
        EXPECT_EQ(r.source, run.string());
        EXPECT_EQ(r.label, "V1.00");
        EXPECT_EQ(r.title, "Nightly");
        EXPECT_EQ(r.note, "rig 2");
        EXPECT_EQ(r.programVersion, "1.1.0");
        EXPECT_EQ(r.inputSha256, "ab12");
        ASSERT_EQ(r.receivers.size(), 2u);
        const ReceiverRecord& a = r.receivers[0];
        EXPECT_EQ(a.name, "RxA");
        EXPECT_EQ(a.attempts, 4u);
        EXPECT_EQ(a.good, 3u);
        EXPECT_EQ(a.times.finite,
                  (std::vector<std::pair<double, std::size_t>>{{12.0, 2}, {30.5, 1}}));
        EXPECT_EQ(a.times.noCorrectFix, 1u);
    }
}

// The one line a refusal shows, or "" when the run is read.
std::string refusal(const std::filesystem::path& run) {
    try {
        readRunSummary(run);
    } catch (const RuntimeError& error) {
        return error.what();
    }
    return "";
}

TEST(RunSummary, RefusesWhatIsNotASchemaTwoSummaryInOneLine) {
    const TempDir dir;
    const auto file = [&dir](const std::string& name, const std::string& text) {
        writeFile(dir / name, text);
        return dir / name;
    };
    const std::string missing = (dir / "nothing").string();
    EXPECT_EQ(refusal(dir / "nothing"),
              "ambiscan: --compare: " + missing + ": no such file or folder");
    EXPECT_EQ(refusal(dir.path()),
              "ambiscan: --compare: " + dir.path().string() + ": no summary.json in this folder");
    EXPECT_NE(refusal(file("a.json", "{ not json")).find(": not an ambiscan summary"),
              std::string::npos);
    EXPECT_NE(refusal(file("b.json", R"({"schema": "other/1"})")).find("not an ambiscan summary"),
              std::string::npos);
    EXPECT_NE(refusal(file("c.json", summary("ambiscan-summary/1")))
                  .find("schema ambiscan-summary/1 is older than ambiscan-summary/2; run "
                        "ambiscan on its input again"),
              std::string::npos);
    EXPECT_NE(refusal(file("d.json", summary("ambiscan-summary/10"))).find("is newer than"),
              std::string::npos);
    EXPECT_NE(refusal(file("e.json", summary("ambiscan-summary/2", "RxA")))
                  .find("names the legend \"RxA\" twice"),
              std::string::npos);
    // Counts that do not add up, times out of order, a legend that cannot name a file.
    EXPECT_NE(refusal(file("f.json", summary("ambiscan-summary/2", "", "[[12.0, 2]]")))
                  .find("do not add up"),
              std::string::npos);
    EXPECT_NE(refusal(file("g.json", summary("ambiscan-summary/2", "", "[[30, 2], [12, 1]]")))
                  .find("ascending"),
              std::string::npos);
    EXPECT_NE(
        refusal(file("h.json", summary("ambiscan-summary/2", "../x"))).find("cannot name a file"),
        std::string::npos);
    for (const std::string& text :
         {refusal(file("i.json", summary("ambiscan-summary/1"))), refusal(dir / "nothing")}) {
        EXPECT_EQ(text.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace ambiscan::campaign
