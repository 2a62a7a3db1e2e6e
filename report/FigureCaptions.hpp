#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ambiscan::report {

// Where a figure of the run goes in the report and what its caption says (names as given,
// not escaped).
struct FigurePlace {
    std::optional<std::size_t> dataSet;  // the receiver whose section holds it; none: the run's
    std::string caption;                 // one line: what the figure shows
    std::string altText;                 // for readers who cannot see it
};

// The place of the figure the run wrote to `fileName`, for the data sets `names` in legend
// order. A file the report does not know keeps its name as its caption.
FigurePlace placeFigure(const std::string& fileName, const std::vector<std::string>& names);

}  // namespace ambiscan::report
