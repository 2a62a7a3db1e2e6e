#include "analysis/initTimeStatistics.hpp"

#include <cmath>
#include <limits>

#include "platform/numeric/CentredBins.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

InitTimeSummary initTimeSummary(const Matrix& times, double numInits) {
    const Matrix rangecal = Matrix::range(0, 1, 501);
    const Matrix counts = centredBinCounts(times, rangecal);

    InitTimeSummary summary;
    summary.CDF = Matrix(1, 501);
    summary.ninetyPercentile = std::numeric_limits<double>::quiet_NaN();
    double running = 0;
    for (std::size_t k = 0; k < 501; ++k) {
        running += counts[k];
        summary.CDF[k] = 100 * running / numInits;
        if (std::isnan(summary.ninetyPercentile) && summary.CDF[k] >= 90) {
            summary.ninetyPercentile = rangecal[k];
        }
    }
    summary.max = maxValue(times);
    summary.mean = meanValue(times);
    summary.median = medianValue(times);
    return summary;
}

}  // namespace ambiscan::analysis
