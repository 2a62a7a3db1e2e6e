#include "platform/io/OutputFile.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <set>

#include "platform/base/RuntimeError.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::set<std::string> filesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void write(OutputFile& out, const std::string& text) {
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), out.stream()), text.size());
}

TEST(OutputFile, CommitReplacesTheOldFileWithTheWholeContent) {
    TempDir dir;
    writeFile(dir / "out.csv", "old\n");
    {
        OutputFile out((dir / "out.csv").string(), "out.csv");
        write(out, "new content\n");
        // Until the commit the old file is what a reader sees, and nothing else appears.
        EXPECT_EQ(readFile(dir / "out.csv"), "old\n");
        EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"out.csv"});
        out.commit();
    }
    EXPECT_EQ(readFile(dir / "out.csv"), "new content\n");
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"out.csv"});
}

TEST(OutputFile, NewFileGetsTheUsualPermissions) {
    TempDir dir;
    const mode_t old = umask(022);
    {
        OutputFile out((dir / "a.png").string(), "a.png");
        write(out, "x");
        out.commit();
    }
    umask(old);
    struct stat info {};
    ASSERT_EQ(stat((dir / "a.png").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(OutputFile, AbandonedOrFailedFileLeavesTheFolderAsItWas) {
    TempDir dir;
    writeFile(dir / "out.csv", "old\n");
    {
        OutputFile out((dir / "out.csv").string(), "out.csv");
        write(out, "half");
    }
    EXPECT_EQ(readFile(dir / "out.csv"), "old\n");
    try {
        OutputFile out((dir / "out.csv").string(), "out.csv");
        write(out, "half");
        out.fail("No space left on device");
    } catch (const RuntimeError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot write out.csv: No space left on device");
    }
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"out.csv"});
    EXPECT_EQ(readFile(dir / "out.csv"), "old\n");
}

TEST(OutputFile, KilledWriterLeavesNoFileBehind) {
    TempDir dir;
    writeFile(dir / "out.csv", "old\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        OutputFile out((dir / "out.csv").string(), "out.csv");
        std::fputs("half written", out.stream());
        std::fflush(out.stream());
        std::raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"out.csv"});
    EXPECT_EQ(readFile(dir / "out.csv"), "old\n");
}

TEST(OutputFile, NameTakenByAFolderFailsWithTheSystemsReason) {
    TempDir dir;
    fs::create_directory(dir / "taken.png");
    OutputFile out((dir / "taken.png").string(), "figure file \"taken.png\"");
    write(out, "x");
    try {
        out.commit();
        FAIL() << "a file replaced a folder";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot write figure file \"taken.png\": " + std::string(std::strerror(EISDIR)));
    }
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"taken.png"});
}

TEST(OutputFile, MissingFolderFailsAtOnce) {
    TempDir dir;
    EXPECT_THROW(OutputFile((dir / "no/such/out.csv").string(), "out.csv"), RuntimeError);
    EXPECT_THROW(OutputFile("", "nothing"), RuntimeError);
}

}  // namespace
}  // namespace ambiscan
