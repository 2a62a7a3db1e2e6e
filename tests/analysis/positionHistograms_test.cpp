#include "analysis/positionHistograms.hpp"

#include <gtest/gtest.h>

namespace ambiscan::analysis {
namespace {

double sum(const Matrix& m) {
    double total = 0;
    for (const double v : m) {
        total += v;
    }
    return total;
}

TEST(HistogramEdges, AreFormedFromBothEnds) {
    const Matrix edges = histogramEdges();
    ASSERT_EQ(edges.numel(), 81u);
    EXPECT_EQ(edges[0], -0.2);
    EXPECT_EQ(edges[1], -0.2 + 0.005);
    EXPECT_EQ(edges[40], 0.0);
    EXPECT_EQ(edges[41], 0.2 - 39 * 0.005);
    EXPECT_EQ(edges[80], 0.2);
}

TEST(HistogramPercentages, ZeroErrorIsInTheBarCentredOnZero) {
    const Matrix p = histogramPercentages(Matrix::column({0}), 1);
    ASSERT_EQ(p.numel(), 79u);
    EXPECT_EQ(p[39], 100);  // the bar at edge 41, x = 0
    EXPECT_EQ(sum(p), 100);
}

TEST(HistogramPercentages, FirstBinAndTheUpperEdgeAreNeverShown) {
    const Matrix p = histogramPercentages(Matrix::column({-0.2, -0.196, 0.2, 0.25, -0.3}), 5);
    EXPECT_EQ(sum(p), 0);
}

TEST(HistogramPercentages, JustBelowTheUpperEdgeIsInTheLastBar) {
    const Matrix p = histogramPercentages(Matrix::column({0.1999, -0.195}), 2);
    EXPECT_EQ(p[78], 50);
    EXPECT_EQ(p[0], 50);
}

TEST(HistogramPercentages, AreOfAllInits) {
    std::vector<double> heights(20, 0.01);
    for (std::size_t r = 0; r < 5; ++r) {
        heights[r] = 0.3;
    }
    EXPECT_DOUBLE_EQ(sum(histogramPercentages(Matrix::column(heights), 20)), 75);
}

}  // namespace
}  // namespace ambiscan::analysis
