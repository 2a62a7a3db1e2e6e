#include "analysis/setup.hpp"

#include <algorithm>
#include <cmath>

#include "platform/base/RuntimeError.hpp"
#include "platform/numeric/Format.hpp"

namespace ambiscan::analysis {

namespace {

constexpr double kDay = 86400;
constexpr double kWeek = 604800;
// A fall of the start time within these bounds (strict) is a new GPS day, resp. a new GPS week.
constexpr double kDayRollOverLeast = 0.5 * kDay, kDayRollOverMost = 1.5 * kDay;
constexpr double kWeekRollOverLeast = 6 * kDay, kWeekRollOverMost = 8 * kDay;

}  // namespace

std::vector<double> correctRollOvers(const std::vector<double>& times) {
    std::vector<double> corrected = times;
    double increment = 0;
    for (std::size_t r = 1; r < times.size(); ++r) {
        // Steps are taken on the uncorrected times, so one roll-over is counted once.
        const double step = times[r] - times[r - 1];
        if (step < -kDayRollOverLeast && step > -kDayRollOverMost) {
            increment += kDay;
        } else if (step < -kWeekRollOverLeast && step > -kWeekRollOverMost) {
            increment += kWeek;
        }
        corrected[r] = times[r] + increment;
    }
    return corrected;
}

std::string titleSuffix(double numInits, double runLength) {
    return ": " + formatText("%4d", {Matrix::scalar(numInits)}) + " inits; " +
           formatText("%.1f", {Matrix::scalar(runLength)}) + " Hours";
}

std::size_t maxNameLength(const CellRow& names) {
    std::size_t longest = 0;
    for (const auto& name : names) {
        longest = std::max(longest, name.size());
    }
    return std::max(longest, names.size());
}

TimeBase setup(const Matrix& inits, std::size_t numDataSets, const CellRow& names) {
    if (inits.empty()) {
        throw RuntimeError("inits.txt holds no init records");
    }
    if (inits.cols() < 1 + 4 * numDataSets) {
        throw RuntimeError(formatText("inits.txt records hold %d numbers; %d data sets need %d",
                                      {Matrix::scalar(static_cast<double>(inits.cols())),
                                       Matrix::scalar(static_cast<double>(numDataSets)),
                                       Matrix::scalar(static_cast<double>(1 + 4 * numDataSets))}));
    }
    if (names.size() < numDataSets) {
        throw RuntimeError("Each data set needs a name");
    }

    TimeBase base;
    base.numDataSets = numDataSets;
    base.MaxLength = maxNameLength(names);

    const std::vector<double> corrected = correctRollOvers(inits.columnAt(0).toVector());
    base.inits = CorrectedInits(inits, Matrix(corrected.size(), 1, corrected));
    const auto [lowest, highest] = std::minmax_element(corrected.begin(), corrected.end());
    base.minTime = *lowest;
    base.maxTime = *highest;
    base.runLength = (base.maxTime - base.minTime) / 3600;
    base.numInits = static_cast<double>(inits.rows());
    base.TitleString = titleSuffix(base.numInits, base.runLength);
    return base;
}

}  // namespace ambiscan::analysis
