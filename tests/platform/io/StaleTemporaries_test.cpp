#include "platform/io/StaleTemporaries.hpp"

#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/io/OutputFile.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan {
namespace {

namespace fs = std::filesystem;

TEST(StaleTemporaries, NameCarriesThisProcessId) {
    EXPECT_EQ(temporaryOutputName("x7"), ".ambiscan-" + std::to_string(::getpid()) + "-x7.tmp");
}

TEST(StaleTemporaries, OnlyFilesOfDeadRunsGo) {
    testing::TempDir dir;
    // Ids above 2^22 (the kernel's largest) and 0 name no process; 1 (init) is alive.
    const std::vector<std::string> dead = {".ambiscan-99999999-a1.tmp", ".ambiscan-4294967296.tmp",
                                           ".ambiscan-0-Zz9.tmp"};
    const std::vector<std::string> kept = {".ambiscan-1-a1.tmp",         temporaryOutputName("b2"),
                                           ".ambiscan-99999999-a.b.tmp", ".ambiscan-99999999",
                                           "ambiscan-99999999.tmp",      ".ambiscan--1.tmp"};
    for (const auto* names : {&dead, &kept}) {
        for (const std::string& name : *names) {
            std::ofstream(dir / name) << "partial";
        }
    }
    fs::create_directory(dir / ".ambiscan-99999998.tmp");  // not a file: not ours to remove
    removeStaleTemporaries(dir.path());
    for (const std::string& name : dead) {
        EXPECT_FALSE(fs::exists(dir / name)) << name;
    }
    for (const std::string& name : kept) {
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    }
    EXPECT_TRUE(fs::exists(dir / ".ambiscan-99999998.tmp"));
}

}  // namespace
}  // namespace ambiscan
