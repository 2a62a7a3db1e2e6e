#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/numeric/Value.hpp"

namespace ambiscan::app {

// The file names a run writes for its data sets, in the order the analysis writes them per
// data set, after the data set's legend.
const std::vector<std::string>& dataSetFileSuffixes();

// Room kept in a file name for the temporary name an output is first written under.
inline constexpr std::size_t kTemporaryNameReserve = 16;

// Why `legend` cannot name output files in a folder whose names may be `nameMax` bytes long;
// empty when it can. A legend is refused when it is empty, is "." or "..", holds a "/" or a
// NUL (the file would land elsewhere or get a cut name), or would make a file name too long.
std::string legendProblem(const std::string& legend, std::size_t nameMax);

// Checks every legend and that no two data sets would write the same file; raises a runtime
// error naming the legend and the reason otherwise. `folder` is where the files go.
void checkLegendsNameFiles(const CellRow& legends, const std::string& folder);

}  // namespace ambiscan::app
