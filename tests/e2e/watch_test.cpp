// Watching a growing input (--watch): the rig's appends arrive in pieces that split numbers and
// records; only whole records count, the gates decide as they come in, and a truncated input
// ends the watch with the last refresh's outputs intact. The tests wait for what the program
// shows (a refreshed summary, its exit), never for a fixed time.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "support/RunProgram.hpp"

extern char** environ;

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Long enough for a loaded machine; the tests end as soon as the awaited state shows.
constexpr auto kPatience = std::chrono::seconds(120);

// The program run in the background in `dir`, polling its input every 20 ms.
class Watcher {
  public:
    Watcher(const TempDir& dir, const std::vector<std::string>& words) : dir_(dir) {
        std::vector<std::string> args = {AMBISCAN_EXE};
        args.insert(args.end(), words.begin(), words.end());
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<std::string> env = {"AMBISCAN_WATCH_POLL_MS=20"};
        for (char** e = environ; *e != nullptr; ++e) {
            env.emplace_back(*e);
        }
        std::vector<char*> envp;
        for (std::string& e : env) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const std::string out = (dir / "watch.out").string(), err = (dir / "watch.err").string();
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT, 0644);
        posix_spawn_file_actions_addchdir_np(&actions, dir.path().c_str());
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Watcher() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    // The exit status once the program has ended; -1 when it did not end in time.
    int exitStatus() {
        const auto until = Clock::now() + kPatience;
        while (Clock::now() < until) {
            int raw = 0;
            if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
                pid_ = 0;
                return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }
    void signal(int number) const { ::kill(pid_, number); }
    std::string err() const { return readFile(dir_ / "watch.err"); }

  private:
    const TempDir& dir_;
    pid_t pid_ = 0;
};

void append(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::app) << text;
}

// Waits until summary.json and report.html say `records` records were read; false when they
// never do.
bool awaitRecords(const TempDir& dir, std::size_t records) {
    const auto until = Clock::now() + kPatience;
    while (Clock::now() < until) {
        const std::string text = readFile(dir / "summary.json");
        const auto j = nlohmann::json::parse(text, nullptr, false);
        // report.html comes after summary.json: the refresh is complete once it counts them too.
        const std::string counted = "<p class=\"run\">" + std::to_string(records) + " record";
        if (!j.is_discarded() && j["input"]["records"] == records &&
            readFile(dir / "report.html").find(counted) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::size_t summaryRecords(const TempDir& dir) {
    return nlohmann::json::parse(readFile(dir / "summary.json"))["input"]["records"];
}

// Two receivers; RxA always fixes well in 10 s, RxB is bad at rows 1, 3 and 5.
std::string record(int row) {
    const bool bBad = row == 1 || row == 3 || row == 5;
    return std::to_string(row) + " 10 20 0 0 0 " + (bBad ? "0.5" : "0") + " 0 0\n";
}

TEST(Watch, WholeRecordsOnlyGatesDecideAsTheyComeIn) {
    TempDir dir;
    writeFile(dir / "inits.txt", record(1) + record(2) + record(3) + "4 1");
    Watcher watcher(dir, {"--watch", "--refresh", "0", "--decide", "--require-reliability", "95",
                          "-q", "T", "RxA", "RxB"});
    // The refresh after the first look: three records; "4 1" is no record, nor is "1" a number.
    ASSERT_TRUE(awaitRecords(dir, 3)) << watcher.err();
    // Record 4 completed ("1" becomes 12 s), record 5 left mid-number and mid-record.
    append(dir / "inits.txt", "2 30 0 0 0 0 0 0\n5 10 2");
    ASSERT_TRUE(awaitRecords(dir, 4)) << watcher.err();
    EXPECT_EQ(summaryRecords(dir), 4u);
    std::string rest = "0 0 0 0 0.5 0 0\n";
    for (int row = 6; row <= 85; ++row) {
        rest += record(row);
    }
    append(dir / "inits.txt", rest);
    // RxB fails at its third bad fix in five attempts, RxA passes after 80 clean ones; with
    // every gate decided the watch ends by itself.
    EXPECT_EQ(watcher.exitStatus(), 3);
    const std::string err = watcher.err();
    EXPECT_NE(err.find("Decided: RxB --require-reliability 95 FAIL at attempt 5 (3 events)\n"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("Decided: RxA --require-reliability 95 PASS at attempt 80 (0 events)\n"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("Gate FAIL: RxB 3 bad fixes in 5 attempts"), std::string::npos) << err;
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));
    // Record 4 read as written, record 5 joined across two appends: RxA's longest time is the
    // 12 s of record 4, and RxB's bad fixes are rows 1, 3 and 5 with 0.5 m east each.
    EXPECT_EQ(j["data_sets"][0]["ttff_seconds"]["max"], 12);
    EXPECT_EQ(j["data_sets"][0]["bad"], 0);
    const auto& bad = j["data_sets"][1]["bad_fixes"];
    ASSERT_EQ(bad.size(), 3u);
    EXPECT_EQ(bad[2]["row"], 5);
    EXPECT_EQ(bad[2]["east"], 0.5);
    EXPECT_EQ(j["data_sets"][1]["ttff_seconds"]["max"], 30);
    EXPECT_EQ(j["gates"][0]["receivers"][1]["sequential"]["at_attempt"], 5);
    EXPECT_EQ(j["gates"][0]["receivers"][0]["sequential"]["at_attempt"], 80);
    EXPECT_TRUE(fs::exists(dir / "RxB_Decision.png"));
}

TEST(Watch, TruncatedInputIsAnErrorAndTheLastRefreshStays) {
    TempDir dir;
    writeFile(dir / "inits.txt", record(1) + record(2) + record(3));
    Watcher watcher(dir, {"--watch", "--refresh", "0", "-q", "T", "RxA", "RxB"});
    ASSERT_TRUE(awaitRecords(dir, 3)) << watcher.err();
    const std::string summary = readFile(dir / "summary.json");
    const std::string report = readFile(dir / "report.html");
    writeFile(dir / "inits.txt", record(1));  // rewritten shorter: truncated
    EXPECT_EQ(watcher.exitStatus(), 1);
    EXPECT_NE(watcher.err().find("inits.txt was truncated while being watched"), std::string::npos)
        << watcher.err();
    EXPECT_TRUE(readFile(dir / "summary.json") == summary);
    EXPECT_TRUE(readFile(dir / "report.html") == report);
    for (const std::string& name : filesIn(dir.path())) {
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    }
}

// SIGTERM ends the watch between two looks; the final outputs hold the whole records only.
TEST(Watch, TerminationWritesTheFinalOutputsOfWholeRecords) {
    TempDir dir;
    writeFile(dir / "inits.txt", record(1) + record(2));
    Watcher watcher(
        dir, {"--watch", "--refresh", "0", "--require-reliability", "30", "-q", "T", "RxA", "RxB"});
    ASSERT_TRUE(awaitRecords(dir, 2)) << watcher.err();
    append(dir / "inits.txt", record(3) + "4 10 20 0 0");
    ASSERT_TRUE(awaitRecords(dir, 3)) << watcher.err();
    watcher.signal(SIGTERM);
    EXPECT_EQ(watcher.exitStatus(), 0);  // RxB 1 of 3 good (33.3 %): the fixed 30 % gate passes
    EXPECT_EQ(summaryRecords(dir), 3u);
    EXPECT_EQ(watcher.err(), "");
    // Watched, the reliability gets the interval that survives looking (3 of 3 for RxA), and
    // the report says which interval to read; the gate stays fixed-sample.
    const auto j = nlohmann::json::parse(readFile(dir / "summary.json"));
    EXPECT_TRUE(j["data_sets"][0].contains("reliability_cs95_percent"));
    EXPECT_FALSE(j["gates"][0].contains("sequential"));
    EXPECT_NE(readFile(dir / "report.html").find("<h2>Reliability while the test runs</h2>"),
              std::string::npos);
}

}  // namespace
}  // namespace ambiscan::testing
