#include "analysis/printFigure.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/KeptFigures.hpp"
#include "platform/render/FigureWriter.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::analysis {
namespace {

// With or without the writer's threads, the kept bytes are those of the file, under its name.
TEST(PrintFigure, KeptFiguresHoldTheBytesOfTheirFiles) {
    for (const bool threaded : {false, true}) {
        const testing::TempDir dir;
        graphics::Graphics g;
        std::ostringstream out, err;
        KeptFigures kept;
        render::FigureWriter writer;
        RunContext run{g, {out, err}, dir.path()};
        run.keptFigures = &kept;
        run.figureWriter = threaded ? &writer : nullptr;
        g.figure();
        g.plot(Matrix::row({0, 1}), Matrix::row({1, 0}), "b-");
        printAndClose(run, "a.png");
        settleFigures(run);
        const std::vector<FigureFile> figures = kept.take();
        ASSERT_EQ(figures.size(), 1u) << threaded;
        EXPECT_EQ(figures[0].fileName, "a.png");
        EXPECT_EQ(figures[0].content, testing::readFile(dir / "a.png")) << threaded;
        EXPECT_FALSE(g.hasCurrentFigure());
    }
}

}  // namespace
}  // namespace ambiscan::analysis
