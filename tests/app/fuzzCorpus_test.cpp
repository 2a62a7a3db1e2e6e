// Replays the fuzzing corpus through the same checks the fuzz targets make.
#include <gtest/gtest.h>

#include "fuzz/FuzzChecks.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> corpus(const std::string& target) {
    std::vector<fs::path> files;
    for (const auto& entry :
         fs::directory_iterator(fs::path(AMBISCAN_SOURCE_DIR) / "fuzz/corpus" / target)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string bytesOf(const fs::path& file) {
    return testing::readFile(file);
}

const std::uint8_t* data(const std::string& bytes) {
    return reinterpret_cast<const std::uint8_t*>(bytes.data());
}

TEST(FuzzCorpus, EveryReadInitsInputReadsConsistently) {
    const auto files = corpus("readInits");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        const std::string bytes = bytesOf(file);
        EXPECT_EQ(checkReadInits(data(bytes), bytes.size()), "") << file.filename();
    }
}

TEST(FuzzCorpus, EveryHugeTokenInputReadsConsistently) {
    const auto files = corpus("hugeToken");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        const std::string bytes = bytesOf(file);
        EXPECT_EQ(checkHugeToken(data(bytes), bytes.size()), "") << file.filename();
    }
}

TEST(FuzzCorpus, EveryAnalysisInputRunsSoundly) {
    const auto files = corpus("analysis");
    ASSERT_FALSE(files.empty());
    testing::TempDir folder;
    for (const fs::path& file : files) {
        const std::string bytes = bytesOf(file);
        EXPECT_EQ(checkAnalysis(data(bytes), bytes.size(), folder.path()), "") << file.filename();
    }
}

TEST(FuzzCorpus, EveryResultsInputKeepsTheInvariants) {
    const auto files = corpus("results");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        const std::string bytes = bytesOf(file);
        EXPECT_EQ(checkResults(data(bytes), bytes.size()), "") << file.filename();
    }
}

}  // namespace
}  // namespace ambiscan::fuzz
