#pragma once

#include <future>
#include <string>
#include <vector>

#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::report {

// The report's own figures, one horizontal scatter per data set, drawn on a thread of their
// own from the records alone while the analysis runs: they need nothing the analysis works
// out, and the analysis leaves a core idle part of the time. The thread holds a copy of
// `inits`, which shares its elements (no copy of the records).
class ScatterFigures {
  public:
    ScatterFigures(const Matrix& inits, const CellRow& names);
    // The PNG bytes, one per data set in legend order, once drawn; raises a failure to draw.
    std::vector<std::string> take();

  private:
    std::future<std::vector<std::string>> drawing_;
};

}  // namespace ambiscan::report
