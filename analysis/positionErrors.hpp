#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "analysis/DataSetStatistics.hpp"
#include "analysis/doRTKInitPlot.hpp"
#include "analysis/setup.hpp"
#include "analysis/timeOfDay.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// Bad when the horizontal error exceeds 0.12 m or the height error 0.22 m; on a limit is good.
// A NaN error (the rig gave up on the attempt) is bad.
bool isBadInit(double dE, double dN, double dU);

// Means and sample standard deviations of the East, North and Height errors (index 0, 1, 2).
struct ErrorStatistics {
    std::array<double, 3> mean{}, sigma{};
};
ErrorStatistics errorStatistics(const Matrix& errors);  // errors: one row per init, E N U

// The rows of data set k's errors (E, N, U columns), and the 0-based rows that are bad.
Matrix errorColumns(const TimeBase& base, std::size_t k);
std::vector<std::size_t> badRows(const Matrix& errors);

// "East:   Sig=0.012m; Mean=0.003m" and its North and Height lines.
std::vector<std::string> positionLegend(const ErrorStatistics& s);
// "Rover; 37 Good Inits; 3 Bad Inits; Reliability = 92.500%".
std::string positionTitle(const std::string& name, double numInits, double numBad,
                          double PercentGood);
// "Rover: Bad Init List (Init Num / Time / dE / dN / dU)".
std::string badInitHeading(const std::string& name);
// "Init Num = 17 Time = 345600 dE = 0.15 dN = -0.02 dU = 0.30" for the 1-based row number.
std::string badInitLine(double rowNumber, double time, double dE, double dN, double dU);

// Classifies data set k, draws its position figures (and the good-only one and the console list
// when it has bad inits), and fills its reliability and error statistics. Returns the statistics
// its histograms are titled with.
ErrorStatistics drawPositionErrors(RunContext& run, const TimeBase& base, const TimeAxis& axis,
                                   const std::string& name, std::size_t k,
                                   DataSetStatistics& stats);

}  // namespace ambiscan::analysis
