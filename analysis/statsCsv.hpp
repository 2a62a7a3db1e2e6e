#pragma once

#include <string>

#include "analysis/DataSetStatistics.hpp"
#include "analysis/RunResults.hpp"

namespace ambiscan::analysis {

// A text field of stats.csv: quoted, with quotes doubled, when it holds a comma, a double quote
// or a line end; as it is otherwise.
std::string csvField(const std::string& text);

std::string statsHeader();
// One line of stats.csv, line end included; Max Init rounded, Median Init rounded down.
std::string statsLine(const std::string& MainTitle, const DataSetStatistics& s);

// The whole of stats.csv: the header, then a line per data set.
std::string statsCsv(const RunResults& results);

}  // namespace ambiscan::analysis
