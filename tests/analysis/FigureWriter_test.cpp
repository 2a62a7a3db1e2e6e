#include "analysis/FigureWriter.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::analysis {
namespace {

namespace fs = std::filesystem;

render::RenderedFigure blankFigure() {
    graphics::Graphics g;
    g.figure();
    return render::renderFigurePixels(g, g.currentFigureHandle());
}

class FigureWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            fs::temp_directory_path() /
            ("figure-writer-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(FigureWriterTest, EachFigureIsCompleteBeforeTheNextIsStarted) {
    FigureWriter writer;
    writer.write(blankFigure(), (dir / "a.png").string());
    writer.write(blankFigure(), (dir / "b.png").string());
    EXPECT_TRUE(fs::exists(dir / "a.png"));
    writer.settle();
    EXPECT_TRUE(fs::exists(dir / "b.png"));
    EXPECT_GT(fs::file_size(dir / "b.png"), 1000u);
    // Nothing but the two figures: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(FigureWriterTest, FailedWriteIsRaisedAtTheNextStepNamingTheFile) {
    FigureWriter writer;
    const std::string missing = (dir / "no-such-folder" / "a.png").string();
    writer.write(blankFigure(), missing);
    try {
        writer.settle();
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    // Raised once; the writer goes on with the next figure.
    writer.write(blankFigure(), (dir / "b.png").string());
    writer.settle();
    EXPECT_TRUE(fs::exists(dir / "b.png"));
}

TEST_F(FigureWriterTest, FailedWriteStopsTheNextFromStarting) {
    FigureWriter writer;
    writer.write(blankFigure(), (dir / "no-such-folder" / "a.png").string());
    EXPECT_THROW(writer.write(blankFigure(), (dir / "b.png").string()), RuntimeError);
    writer.settle();
    EXPECT_FALSE(fs::exists(dir / "b.png"));
}

}  // namespace
}  // namespace ambiscan::analysis
