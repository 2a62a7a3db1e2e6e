#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

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

// The 0-based rows of the errors (E, N, U columns) that are bad, and the others.
std::vector<std::size_t> badRows(const Matrix& errors);
std::vector<std::size_t> goodRows(const std::vector<std::size_t>& bad, std::size_t rows);

// The rows of m, in the order given.
Matrix selectRows(const Matrix& m, const std::vector<std::size_t>& rows);

// "Rover: Bad Init List (Init Num / Time / dE / dN / dU)".
std::string badInitHeading(const std::string& name);
// "Init Num = 17 Time = 345600 dE = 0.15 dN = -0.02 dU = 0.30" for the 1-based row number.
std::string badInitLine(double rowNumber, double time, double dE, double dN, double dU);
// The heading and a line per bad row, each with its line end.
std::string badInitList(const std::string& name, const std::vector<std::size_t>& bad,
                        const Matrix& startTimes, const Matrix& errors);

}  // namespace ambiscan::analysis
