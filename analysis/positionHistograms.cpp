#include "analysis/positionHistograms.hpp"

#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

namespace {

constexpr std::size_t kEdges = 81;

}  // namespace

Matrix histogramEdges() {
    Matrix edges(1, kEdges);
    for (std::size_t m = 0; m < 40; ++m) {
        edges[m] = -0.2 + static_cast<double>(m) * 0.005;
    }
    edges[40] = 0;
    for (std::size_t m = 41; m < kEdges; ++m) {
        edges[m] = 0.2 - static_cast<double>(kEdges - 1 - m) * 0.005;
    }
    return edges;
}

Matrix histogramPercentages(const Matrix& errors, double numInits) {
    const Matrix counts = histc(errors.asRow(), histogramEdges());
    Matrix percentages(1, kEdges - 2);
    for (std::size_t m = 1; m + 1 < kEdges; ++m) {
        percentages[m - 1] = 100 * counts[m] / numInits;
    }
    return percentages;
}

}  // namespace ambiscan::analysis
