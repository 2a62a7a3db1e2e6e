#include "analysis/initTimeDistribution.hpp"

#include "platform/numeric/CentredBins.hpp"

namespace ambiscan::analysis {

Matrix distributionPercentages(const Matrix& times, double numInits) {
    const Matrix range5secbins = Matrix::range(0, 5, 505);
    const Matrix counts = centredBinCounts(times, range5secbins);
    Matrix percentages(1, 101);
    for (std::size_t k = 0; k < 101; ++k) {
        percentages[k] = 100 * counts[k] / numInits;
    }
    return percentages;
}

}  // namespace ambiscan::analysis
