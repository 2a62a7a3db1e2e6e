#include "platform/numeric/Matrix.hpp"

#include <gtest/gtest.h>

namespace ambiscan {
namespace {

TEST(MatrixSharing, WritingToACopyLeavesTheOriginalAlone) {
    const Matrix original(2, 2, {1, 2, 3, 4});
    Matrix copy = original;
    copy(0, 1) = 30;
    copy[1] = 20;
    EXPECT_EQ(original, Matrix(2, 2, {1, 2, 3, 4}));
    EXPECT_EQ(copy, Matrix(2, 2, {1, 20, 30, 4}));
}

TEST(MatrixSharing, ColumnsAndReshapesKeepTheirValuesWhateverIsWrittenLater) {
    Matrix m(3, 2, {1, 2, 3, 4, 5, 6});
    const Matrix second = m.columnAt(1);
    const Matrix row = m.asRow();
    m(0, 1) = 40;  // the source changes after the views were taken
    EXPECT_EQ(second, Matrix::column({4, 5, 6}));
    EXPECT_EQ(row, Matrix::row({1, 2, 3, 4, 5, 6}));

    Matrix column = m.columnAt(0);
    column[2] = 30;  // and a view written to leaves the source alone
    EXPECT_EQ(column, Matrix::column({1, 2, 30}));
    EXPECT_EQ(m, Matrix(3, 2, {1, 2, 3, 40, 5, 6}));
}

TEST(MatrixSharing, NeighbouringColumnsAreOneMatrix) {
    const Matrix m(2, 4, {1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(m.columnsAt(1, 2), Matrix(2, 2, {3, 4, 5, 6}));
    EXPECT_EQ(m.columnsAt(1, 2).columnAt(1), Matrix::column({5, 6}));
    EXPECT_ANY_THROW(m.columnsAt(3, 2));
}

TEST(MatrixSharing, AColumnNoOneElseHoldsIsWrittenInPlace) {
    Matrix column = Matrix(4, 3, 7.0).columnAt(2);
    column.data()[0] = 1;
    EXPECT_EQ(column, Matrix::column({1, 7, 7, 7}));
    EXPECT_EQ(column.transposed(), Matrix::row({1, 7, 7, 7}));
}

TEST(MatrixSharing, EmptyShapesStayDistinct) {
    EXPECT_NE(Matrix(1, 0), Matrix());
    EXPECT_EQ(Matrix(0, 3).columnAt(1), Matrix(0, 1));
    EXPECT_TRUE(Matrix(1, 0).data().empty());
}

}  // namespace
}  // namespace ambiscan
