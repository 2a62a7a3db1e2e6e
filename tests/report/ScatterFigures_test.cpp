#include "report/ScatterFigures.hpp"

#include <gtest/gtest.h>

namespace ambiscan::report {
namespace {

TEST(ScatterFigures, OnePngPerDataSetOrNoneForRecordsTooShort) {
    // Two receivers: start, two times, then E N U of each; 2 rows.
    const Matrix inits(2, 9,
                       {100, 200, 10, 20, 12, 22, 0.01, 0.02, 0.0, 0.01, 0.0, 0.3, 0.01, 0.02, 0.0,
                        0.01, 0.03, 0.04});
    ScatterFigures two(inits, {"A", "B"});
    const std::vector<std::string> pngs = two.take();
    ASSERT_EQ(pngs.size(), 2u);
    for (const std::string& png : pngs) {
        EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    }
    EXPECT_NE(pngs[0], pngs[1]);

    ScatterFigures tooShort(Matrix(2, 8), {"A", "B"});
    EXPECT_TRUE(tooShort.take().empty());
}

}  // namespace
}  // namespace ambiscan::report
