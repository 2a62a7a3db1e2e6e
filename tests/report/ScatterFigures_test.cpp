#include "report/ScatterFigures.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "analysis/printFigure.hpp"
#include "platform/render/FigureWriter.hpp"
#include "report/HorizontalScatter.hpp"

namespace ambiscan::report {
namespace {

// One square scatter per data set, drawn with or without the writer's threads, kept in base64
// (a PNG's first bytes read "iVBORw0KGgo" there).
TEST(ScatterFigures, OneSquarePngPerDataSetKeptInBase64) {
    // Two receivers: start, two times, then E N U of each; 2 rows.
    const Matrix inits(2, 9,
                       {100, 200, 10, 20, 12, 22, 0.01, 0.02, 0.0, 0.01, 0.0, 0.3, 0.01, 0.02, 0.0,
                        0.01, 0.03, 0.04});
    for (const bool threaded : {false, true}) {
        std::vector<std::string> embedded;
        const std::vector<analysis::KeptOnlyFigure> figures =
            scatterFigures(inits, {"A", "B"}, embedded);
        ASSERT_EQ(figures.size(), 2u);
        graphics::Graphics g;
        std::ostringstream out, err;
        render::FigureWriter writer;
        analysis::RunContext run{g, {out, err}};
        run.figureWriter = threaded ? &writer : nullptr;
        for (const auto& f : figures) {
            EXPECT_EQ(f.width, kScatterSide);
            EXPECT_EQ(f.height, kScatterSide);
            analysis::drawKeptOnly(run, f);
        }
        writer.settle();
        ASSERT_EQ(embedded.size(), 2u);
        for (const std::string& png : embedded) {
            EXPECT_EQ(png.substr(0, 11), "iVBORw0KGgo") << threaded;
        }
        EXPECT_NE(embedded[0], embedded[1]);
    }
}

}  // namespace
}  // namespace ambiscan::report
