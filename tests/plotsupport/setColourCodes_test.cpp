#include "plotsupport/setColourCodes.hpp"

#include <gtest/gtest.h>

namespace ambiscan::plotsupport {
namespace {

TEST(SetColourCodes, HoldsThirtyEightRowsOfThreeFractions) {
    const Matrix lut = setColourCodes();
    EXPECT_EQ(lut.rows(), 38u);
    EXPECT_EQ(lut.cols(), 3u);
}

TEST(SetColourCodes, BaseColoursAreLevelsOver255) {
    const Matrix lut = setColourCodes();
    EXPECT_EQ(lut.rowAt(0), Matrix::row({0, 0, 1}));
    EXPECT_EQ(lut.rowAt(1), Matrix::row({1, 0, 0}));
    EXPECT_EQ(lut.rowAt(4), Matrix::row({0, 1, 1}));
    EXPECT_EQ(lut.rowAt(5), Matrix::row({0, 0, 0}));
    EXPECT_EQ(lut.rowAt(13), Matrix::row({1, 0.6941176470588235, 0.6941176470588235}));
    EXPECT_EQ(lut.rowAt(14),
              Matrix::row({0.7529411764705882, 0.7529411764705882, 0.7529411764705882}));
    EXPECT_EQ(lut.rowAt(17), Matrix::row({0.5019607843137255, 0.2, 0.2}));
}

TEST(SetColourCodes, SecondHalfRepeatsTheFirst) {
    const Matrix lut = setColourCodes();
    for (std::size_t r = 0; r < 19; ++r) {
        EXPECT_EQ(lut.rowAt(r + 19), lut.rowAt(r)) << "row " << r + 1;
    }
}

}  // namespace
}  // namespace ambiscan::plotsupport
