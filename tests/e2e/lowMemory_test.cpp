// Runs under a memory limit: a run either completes with every output or fails before its
// first output with one line. Below the limit the font library once crashed in its start-up,
// and figure threads failed to start after some figures were written.
#include <gtest/gtest.h>

#include <set>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

TEST(LowMemory, EveryLimitGivesEveryOutputOrOneLineAndNothing) {
    if (kUnderSanitizer) {
        GTEST_SKIP() << "a sanitizer needs more address space than the limits leave";
    }
    std::string text;
    for (int k = 0; k < 20; ++k) {
        text += std::to_string(345000 + 300 * k) + " " + std::to_string(5 + k % 7) + " " +
                std::to_string(6 + k % 5) + " 0.01 0.02 0.03 0.02 -0.01 0.04\n";
    }
    TempDir full;
    writeFile(full / "inits.txt", text);
    ASSERT_EQ(runProgram(full.path(), {"-q", "T", "RxA", "RxB"}).status, 0);
    const std::set<std::string> everything = filesIn(full.path());
    // From where the loader can map the program's libraries to where every run completes.
    int completed = 0;
    for (int limit = 40000; limit <= 640000; limit += 40000) {
        TempDir dir;
        writeFile(dir / "inits.txt", text);
        const RunResult run = runProgram(dir.path(), {"-q", "T", "RxA", "RxB"},
                                         "ulimit -v " + std::to_string(limit) + ";");
        if (run.status == 0) {
            ++completed;
            EXPECT_EQ(filesIn(dir.path()), everything) << limit;
            EXPECT_EQ(run.err, "") << limit;
        } else {
            EXPECT_EQ(run.status, 1) << limit << ": " << run.err;
            EXPECT_EQ(run.err, "not enough memory for 20 records\n") << limit;
            EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"}) << limit;
        }
    }
    EXPECT_GT(completed, 0);
}

}  // namespace
}  // namespace ambiscan::testing
