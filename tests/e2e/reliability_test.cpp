// Whole runs under failure: outputs that cannot be written, unsafe legends, edge values, and
// runs side by side. A failed run names the file and the reason, exits with 1 and leaves no
// partial or temporary file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;

const char* const kTwoReceivers =
    "345000 12 20 0.01 0.02 0.03 0.01 -0.02 0.04\n"
    "345300 30 25 0.153 -0.021 0.3 0.02 0.01 -0.03\n"
    "345600 8 41 0.12 0 -0.22 -0.01 0.03 0.02\n"
    "345900 12.5 19 -0.01 0 0.05 0.2 0.2 0.5\n";

const std::string kOldStats = "an older stats.csv that a failed run must not touch\n";

// Names that only a temporary or half-written output would have.
std::vector<std::string> strayFiles(const fs::path& folder) {
    std::vector<std::string> stray;
    for (const std::string& name : filesIn(folder)) {
        if (name.front() == '.' || name.find(".tmp") != std::string::npos) {
            stray.push_back(name);
        }
    }
    return stray;
}

// A PNG file that was written to its end finishes with the IEND chunk.
bool isCompletePng(const fs::path& file) {
    const std::string bytes = readFile(file);
    static const std::string kEnd("IEND\xae\x42\x60\x82", 8);
    return bytes.size() > 8 + kEnd.size() && bytes.compare(0, 4, "\x89PNG") == 0 &&
           bytes.compare(bytes.size() - kEnd.size(), kEnd.size(), kEnd) == 0;
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A folder ready for a run with an older stats.csv in it.
struct RunFolder {
    TempDir dir;
    explicit RunFolder(const std::string& inits = kTwoReceivers) {
        writeFile(dir / "inits.txt", inits);
        writeFile(dir / "stats.csv", kOldStats);
    }
};

void expectFailedRunLeftFolderClean(const RunResult& run, const fs::path& folder,
                                    const std::string& file, const std::string& reason) {
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find(file), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(strayFiles(folder), std::vector<std::string>{});
    EXPECT_EQ(readFile(folder / "stats.csv"), kOldStats);
    for (const std::string& name : filesIn(folder)) {
        if (name.ends_with(".png") && fs::is_regular_file(folder / name)) {
            EXPECT_TRUE(isCompletePng(folder / name)) << name;
        }
    }
}

TEST(FailedOutput, FigureNameTakenByAFolderEndsTheRunNamingTheFile) {
    RunFolder folder;
    fs::create_directory(folder.dir / "InitTimeVTime.png");
    const RunResult run = runProgram(folder.dir.path(), {"T", "RxA", "RxB"});
    expectFailedRunLeftFolderClean(run, folder.dir.path(), "InitTimeVTime.png", "Is a directory");
    // The figure before it was written whole; nothing after it was started.
    EXPECT_TRUE(isCompletePng(folder.dir / "InitTimeDist.png"));
    EXPECT_FALSE(fs::exists(folder.dir / "RxA_PosData.png"));
}

TEST(FailedOutput, StatsFileThatCannotBeReplacedEndsTheRunNamingIt) {
    TempDir dir;
    writeFile(dir / "inits.txt", kTwoReceivers);
    fs::create_directory(dir / "stats.csv");
    const RunResult run = runProgram(dir.path(), {"T", "RxA", "RxB"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find("stats.csv"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Is a directory"), std::string::npos) << run.err;
    EXPECT_EQ(strayFiles(dir.path()), std::vector<std::string>{});
}

TEST(FailedOutput, FileSizeLimitEndsTheRunWithoutATruncatedFile) {
    RunFolder folder;
    const RunResult run = runProgram(folder.dir.path(), {"T", "RxA", "RxB"}, "ulimit -f 20;");
    expectFailedRunLeftFolderClean(run, folder.dir.path(), ".png", "File too large");
}

// Makes a folder refuse new files, for root too (an immutable folder), and undoes it.
class UnwritableFolder {
  public:
    explicit UnwritableFolder(const fs::path& folder) : folder_(folder) {
        if (::geteuid() != 0) {
            fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        } else {
            immutable_ =
                std::system(
                    ("chattr +i " + shellQuoted(folder_.string()) + " 2>/dev/null").c_str()) == 0;
        }
    }
    ~UnwritableFolder() {
        if (immutable_) {
            std::system(("chattr -i " + shellQuoted(folder_.string())).c_str());
        }
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;
    bool works() const {
        std::ofstream probe(folder_ / "probe");
        return !probe;
    }

  private:
    fs::path folder_;
    bool immutable_ = false;
};

TEST(FailedOutput, UnwritableFolderEndsTheRunAtTheFirstFigure) {
    RunFolder folder;
    UnwritableFolder unwritable(folder.dir.path());
    if (!unwritable.works()) {
        GTEST_SKIP() << "this file system lets the test user write into any folder";
    }
    const RunResult run = runProgram(folder.dir.path(), {"T", "RxA", "RxB"});
    expectFailedRunLeftFolderClean(run, folder.dir.path(), "InitTimeDist.png", "not permitted");
    EXPECT_EQ(filesIn(folder.dir.path()), (std::set<std::string>{"inits.txt", "stats.csv"}));
}

struct UnsafeLegend {
    std::string legend;
    std::string reason;
};

TEST(Legends, UnsafeLegendsAreRefusedBeforeAnythingIsWritten) {
    const std::vector<UnsafeLegend> cases = {
        {"../escape", "contains \"/\""},
        {"a/b", "contains \"/\""},
        {".", "name folders"},
        {"..", "name folders"},
        {"", "it is empty"},
        {std::string(240, 'x'), "bytes long"},
    };
    for (const UnsafeLegend& c : cases) {
        RunFolder folder;
        const RunResult run = runProgram(folder.dir.path(), {"T", "RxA", c.legend});
        EXPECT_EQ(run.status, 1) << c.legend;
        EXPECT_EQ(lineCount(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find("\"" + c.legend + "\""), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_EQ(filesIn(folder.dir.path()), (std::set<std::string>{"inits.txt", "stats.csv"}));
        EXPECT_EQ(readFile(folder.dir / "stats.csv"), kOldStats);
    }
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "escape_PosData.png"));
}

TEST(Legends, EqualLegendsAreRefusedBeforeAnythingIsWritten) {
    RunFolder folder;
    const RunResult run = runProgram(folder.dir.path(), {"T", "RxA", "RxA"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("\"RxA\" is given twice"), std::string::npos) << run.err;
    EXPECT_EQ(filesIn(folder.dir.path()), (std::set<std::string>{"inits.txt", "stats.csv"}));
}

TEST(Legends, LongestAllowedLegendWritesEveryFile) {
    TempDir dir;
    writeFile(dir / "inits.txt", "100 10 0.01 0.01 0.01 200 20 0.5 0.5 0.5\n");
    const std::string legend(255 - 21 - 16, 'L');
    const RunResult run = runProgram(dir.path(), {"T", legend});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(isCompletePng(dir / (legend + "_PosData_GoodOnly.png")));
}

// Whole runs on numbers at the edges of a double: each ends normally with a full stats.csv.
TEST(EdgeValues, WholeRunsEndNormallyWithAFullStatsFile) {
    const std::vector<std::string> inits = {
        // huge and tiny magnitudes in every column
        "1e308 1e308 -1e308 1e308 -1e308 -1e308 4.9e-324 -4.9e-324 2.2e-308\n",
        "100 1e308 4.9e-324 0.01 0.01 0.01 1e-300 1e-300 1e-300\n"
        "200 4.9e-324 1e308 -1e308 1e308 -1e308 0 0 0\n",
        // Inf and NaN in every column
        "inf inf -inf inf -inf inf -inf inf -inf\n100 10 20 0 0 0 0 0 0\n",
        "nan nan nan nan nan nan nan nan nan\n100 10 20 0 0 0 0 0 0\n",
        "100 nan 10 nan 0.01 0.01 0.01 nan 0.01\n200 10 nan 0.01 nan 0.01 0.01 0.01 nan\n",
        // negative and huge start times
        "-604800 10 20 0 0 0 0 0 0\n-1 11 21 0 0 0 0 0 0\n",
        "9e15 10 20 0 0 0 0 0 0\n1e300 11 21 0 0 0 0 0 0\n",
        "-1e308 10 20 0 0 0 0 0 0\n1e308 11 21 0 0 0 0 0 0\n",
    };
    for (const std::string& text : inits) {
        TempDir dir;
        writeFile(dir / "inits.txt", text);
        const RunResult run = runProgram(dir.path(), {"T", "RxA", "RxB"});
        EXPECT_EQ(run.status, 0) << text << run.err;
        EXPECT_EQ(lineCount(readFile(dir / "stats.csv")), 3u) << text;
        EXPECT_TRUE(isCompletePng(dir / "InitTimeCDF.png")) << text;
        EXPECT_EQ(strayFiles(dir.path()), std::vector<std::string>{}) << text;
    }
}

TEST(SideBySide, TwoRunsAtOnceInTwoFoldersMatchRunsAlone) {
    const std::string example =
        readFile(fs::path(AMBISCAN_SOURCE_DIR) / "examples/two-receivers-midnight/inits.txt");
    TempDir aloneA, aloneB, togetherA, togetherB;
    for (const TempDir* dir : {&aloneA, &togetherA})
        writeFile(*dir / "inits.txt", example);
    for (const TempDir* dir : {&aloneB, &togetherB})
        writeFile(*dir / "inits.txt", kTwoReceivers);
    ASSERT_EQ(runProgram(aloneA.path(), {"A", "RxA", "RxB"}).status, 0);
    ASSERT_EQ(runProgram(aloneB.path(), {"B", "RxA", "RxB"}).status, 0);

    const auto start = [](const TempDir& dir, const std::string& title) {
        return "(cd " + shellQuoted(dir.path().string()) + " && " + shellQuoted(AMBISCAN_EXE) +
               " " + title + " RxA RxB >out.log 2>err.log; echo $? >status.log) & ";
    };
    const std::string both = start(togetherA, "A") + start(togetherB, "B") + "wait";
    ASSERT_EQ(std::system(("/bin/bash -c " + shellQuoted(both)).c_str()), 0);

    for (const auto& [alone, together] : {std::pair{&aloneA, &togetherA}, {&aloneB, &togetherB}}) {
        EXPECT_EQ(readFile(*together / "status.log"), "0\n") << readFile(*together / "err.log");
        EXPECT_EQ(readFile(*together / "stats.csv"), readFile(*alone / "stats.csv"));
        std::set<std::string> expected = filesIn(alone->path());
        expected.insert({"out.log", "err.log", "status.log"});
        EXPECT_EQ(filesIn(together->path()), expected);
        for (const std::string& name : filesIn(alone->path())) {
            if (name.ends_with(".png")) {
                EXPECT_EQ(readFile(*together / name), readFile(*alone / name)) << name;
            }
        }
    }
}

}  // namespace
}  // namespace ambiscan::testing
