#include "platform/io/writeFileAtomically.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class FileWrittenAtomically : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ambiscan_atomic_" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(FileWrittenAtomically, ReplacesAnOldFileAndLeavesNoTemporary) {
    writeFileAtomically(dir / "stats.csv", "old content that is longer\n");
    writeFileAtomically(dir / "stats.csv", "new\n");
    EXPECT_EQ(readFile(dir / "stats.csv"), "new\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileWrittenAtomically, MissingFolderRaisesAnErrorNamingTheFile) {
    try {
        writeFileAtomically(dir / "missing" / "stats.csv", "x\n");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("stats.csv: "), std::string::npos) << e.what();
    }
}

TEST_F(FileWrittenAtomically, FailedRenameRaisesAnErrorAndLeavesNoTemporary) {
    fs::create_directories(dir / "stats.csv" / "in the way");
    EXPECT_THROW(writeFileAtomically(dir / "stats.csv", "x\n"), RuntimeError);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace ambiscan
