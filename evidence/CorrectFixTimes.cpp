#include "evidence/CorrectFixTimes.hpp"

#include <cmath>
#include <limits>

#include "charts/hist.hpp"

namespace ambiscan::evidence {

double timeToCorrectFix(double seconds, bool good) {
    constexpr double kLastCountedSecond = 500.5;  // the cumulative curve's last bin edge
    if (!good || !(seconds <= kLastCountedSecond)) {
        return std::numeric_limits<double>::infinity();
    }
    return std::isinf(seconds) ? 0.0 : seconds;
}

std::vector<double> timesToCorrectFix(const Matrix& times, const std::vector<bool>& good) {
    std::vector<double> t(times.numel());
    for (std::size_t r = 0; r < t.size(); ++r) {
        t[r] = timeToCorrectFix(times[r], good[r]);
    }
    return t;
}

CorrectFixTimes correctFixTimes(const Matrix& times, const std::vector<bool>& good) {
    std::vector<double> goodTimes;
    goodTimes.reserve(times.numel());
    for (std::size_t r = 0; r < times.numel(); ++r) {
        if (good[r]) {
            goodTimes.push_back(times[r]);
        }
    }
    // Counted as the run counts its curve, so that the two 90 % times compare second for second:
    // the bins, their boundaries and the running percentage are the same.
    const Matrix rangecal = Matrix::range(0, 1, 501);
    const std::size_t numGood = goodTimes.size();
    const Matrix counts = numGood == 0
                              ? Matrix(1, 501)
                              : charts::hist(Matrix(1, numGood, std::move(goodTimes)), rangecal).no;
    const auto numInits = static_cast<double>(times.numel());
    CorrectFixTimes result{std::numeric_limits<double>::quiet_NaN(), 0};
    double running = 0;
    for (std::size_t k = 0; k < 501; ++k) {
        running += counts[k];
        const double percent = 100 * running / numInits;
        if (std::isnan(result.p90) && percent >= 90) {
            result.p90 = rangecal[k];
        }
        result.within500Percent = percent;
    }
    return result;
}

}  // namespace ambiscan::evidence
