#include "platform/render/FigureWriter.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <streambuf>
#include <utility>
#include <vector>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::render {
namespace {

namespace fs = std::filesystem;

graphics::Graphics blankFigure() {
    graphics::Graphics g;
    g.figure();
    return g;
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

TEST_F(FigureWriterTest, EveryFigureIsCompleteOnceSettled) {
    WorkerPool pool;
    FigureWriter writer(pool);
    writer.drawAndWrite(blankFigure(), (dir / "a.png").string());
    writer.drawAndWrite(blankFigure(), (dir / "b.png").string());
    writer.settle();
    EXPECT_GT(fs::file_size(dir / "a.png"), 1000u);
    EXPECT_GT(fs::file_size(dir / "b.png"), 1000u);
    // Nothing but the two figures: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(FigureWriterTest, FailedWriteIsRaisedAtTheNextStepNamingTheFile) {
    WorkerPool pool;
    FigureWriter writer(pool);
    const std::string missing = (dir / "no-such-folder" / "a.png").string();
    writer.drawAndWrite(blankFigure(), missing);
    try {
        writer.settle();
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    // Raised once; the writer goes on with the next figure.
    writer.drawAndWrite(blankFigure(), (dir / "b.png").string());
    writer.settle();
    EXPECT_TRUE(fs::exists(dir / "b.png"));
}

TEST_F(FigureWriterTest, FailedWriteStopsTheNextFromBeingWritten) {
    WorkerPool pool;
    FigureWriter writer(pool);
    writer.drawAndWrite(blankFigure(), (dir / "no-such-folder" / "a.png").string());
    writer.drawAndWrite(blankFigure(), (dir / "b.png").string());
    EXPECT_THROW(writer.settle(), RuntimeError);
    EXPECT_FALSE(fs::exists(dir / "b.png"));
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

graphics::Graphics modelWithLine(double slope) {
    graphics::Graphics g;
    g.figure();
    g.plot(Matrix::row({0, 1, 2}), Matrix::row({0, slope, 2 * slope}), "r-o");
    return g.takeCurrentFigure();
}

TEST_F(FigureWriterTest, FiguresDrawnSideBySideReachTheirFilesInOrderAsDrawnAlone) {
    WorkerPool pool;
    FigureWriter writer(pool);
    for (int i = 0; i < 6; ++i) {
        writer.drawAndWrite(modelWithLine(i), (dir / (std::to_string(i) + ".png")).string());
    }
    writer.settle();
    for (int i = 0; i < 6; ++i) {
        const fs::path file = dir / (std::to_string(i) + ".png");
        ASSERT_TRUE(fs::exists(file)) << file;
        // The same bytes as the figure drawn and written on its own.
        const fs::path alone = dir / "alone.png";
        graphics::Graphics model = modelWithLine(i);
        render::writePng(render::renderFigurePixels(model, model.currentFigureHandle()).pixels(),
                         alone.string());
        EXPECT_EQ(contents(file), contents(alone)) << file;
        fs::remove(alone);
    }
    // Later files are never older than earlier ones.
    for (int i = 1; i < 6; ++i) {
        EXPECT_LE(fs::last_write_time(dir / (std::to_string(i - 1) + ".png")),
                  fs::last_write_time(dir / (std::to_string(i) + ".png")));
    }
}

TEST_F(FigureWriterTest, NothingDrawnAfterAFailedWriteReachesItsFileAndTheFailureIsRaisedOnce) {
    WorkerPool pool;
    FigureWriter writer(pool);
    writer.drawAndWrite(modelWithLine(1), (dir / "no-such-folder" / "a.png").string());
    writer.drawAndWrite(modelWithLine(2), (dir / "b.png").string());
    EXPECT_THROW(writer.settle(), RuntimeError);
    EXPECT_FALSE(fs::exists(dir / "b.png"));
    // The writer goes on with the next figure.
    writer.drawAndWrite(modelWithLine(3), (dir / "c.png").string());
    writer.settle();
    EXPECT_TRUE(fs::exists(dir / "c.png"));
}

TEST_F(FigureWriterTest, KeptBytesAreTheFilesInOutputOrderAndStopAtAFailedWrite) {
    std::mutex keeping;
    std::vector<std::pair<std::string, std::string>> kept;  // file name, bytes
    WorkerPool pool;
    FigureWriter writer(pool);
    const auto keepAs = [&](std::string name) {
        return [&, name](std::string png) {
            const std::lock_guard lock(keeping);
            kept.emplace_back(name, std::move(png));
        };
    };
    for (int i = 0; i < 4; ++i) {
        const std::string name = std::to_string(i) + ".png";
        writer.drawAndWrite(modelWithLine(i), (dir / name).string(), keepAs(name));
    }
    writer.drawAndWrite(modelWithLine(9), (dir / "no-such-folder" / "x.png").string(),
                        keepAs("x.png"));
    writer.drawAndWrite(modelWithLine(8), (dir / "y.png").string(), keepAs("y.png"));
    EXPECT_THROW(writer.settle(), RuntimeError);

    ASSERT_EQ(kept.size(), 4u);  // neither the failed figure nor the one after it
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(kept[i].first, std::to_string(i) + ".png");
        EXPECT_EQ(kept[i].second, contents(dir / kept[i].first));
    }
}

// A kept-only figure comes in its place among the written ones, at its own size, and leaves no
// file; the figure canvases around it keep theirs.
TEST_F(FigureWriterTest, KeptOnlyFigureComesInOrderAtItsOwnSize) {
    std::vector<std::string> order;
    std::string keptPng;
    WorkerPool pool;
    FigureWriter writer(pool);
    writer.drawAndWrite(modelWithLine(1), (dir / "a.png").string(),
                        [&](std::string) { order.push_back("a"); });
    writer.drawAndKeep([] { return modelWithLine(2); }, 300, 200,
                       [&](std::string png) {
                           order.push_back("kept");
                           keptPng = std::move(png);
                       });
    writer.drawAndWrite(modelWithLine(3), (dir / "b.png").string(),
                        [&](std::string) { order.push_back("b"); });
    writer.settle();
    EXPECT_EQ(order, (std::vector<std::string>{"a", "kept", "b"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    // The PNG header's width and height, big-endian after "IHDR".
    const auto word = [&](const std::string& png, std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    ASSERT_GT(keptPng.size(), 24u);
    EXPECT_EQ(word(keptPng, 16), 300);
    EXPECT_EQ(word(keptPng, 20), 200);
    EXPECT_EQ(word(contents(dir / "b.png"), 16), kFigureWidth);
}

// A stream that notes, when text first reaches it, whether a file exists by then.
class FileProbe : public std::streambuf {
  public:
    explicit FileProbe(fs::path file) : file_(std::move(file)) {}
    std::string text;
    bool fileExisted = false;

  protected:
    int overflow(int c) override {
        note();
        text.push_back(static_cast<char>(c));
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        note();
        text.append(s, static_cast<std::size_t>(n));
        return n;
    }

  private:
    void note() {
        if (text.empty())
            fileExisted = fs::exists(file_);
    }
    fs::path file_;
};

TEST_F(FigureWriterTest, TextIsShownOnceTheFiguresBeforeItAreInTheirFiles) {
    FileProbe probe(dir / "b.png");
    std::ostream out(&probe);
    WorkerPool pool;
    FigureWriter writer(pool);
    writer.drawAndWrite(modelWithLine(1), (dir / "a.png").string());
    writer.drawAndWrite(modelWithLine(2), (dir / "b.png").string());
    writer.print(out, "bad inits\n");
    writer.drawAndWrite(modelWithLine(3), (dir / "c.png").string());
    writer.settle();
    EXPECT_EQ(probe.text, "bad inits\n");
    EXPECT_TRUE(probe.fileExisted);
    EXPECT_TRUE(fs::exists(dir / "c.png"));
}

TEST_F(FigureWriterTest, TextAfterAFailedFigureIsNeverShown) {
    std::ostringstream out;
    WorkerPool pool;
    FigureWriter writer(pool);
    writer.drawAndWrite(modelWithLine(1), (dir / "no-such-folder" / "a.png").string());
    writer.print(out, "bad inits\n");
    EXPECT_THROW(writer.settle(), RuntimeError);
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace ambiscan::render
