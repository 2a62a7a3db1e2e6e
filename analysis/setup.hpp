#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::analysis {

// 0-based column of data set k's (0-based) time to initialise.
inline std::size_t initTimeColumn(std::size_t k) {
    return 1 + k;
}
// 0-based column of data set k's error on axis a (0 East, 1 North, 2 Height).
inline std::size_t errorColumn(std::size_t numDataSets, std::size_t k, std::size_t a) {
    return 1 + numDataSets + 3 * k + a;
}

// Every working value the later steps share: the corrected copy of the results and the
// quantities derived from it.
// The results as the analysis reads them: the caller's matrix with its first column replaced by
// the corrected start times. The matrix is not copied (it may be large); it must outlive this.
class CorrectedInits {
  public:
    CorrectedInits() = default;
    CorrectedInits(const Matrix& inits, Matrix startTimes)
        : inits_(&inits), startTimes_(std::move(startTimes)) {}
    std::size_t rows() const { return startTimes_.numel(); }
    double operator()(std::size_t r, std::size_t c) const {
        return c == 0 ? startTimes_[r] : (*inits_)(r, c);
    }
    Matrix columnAt(std::size_t c) const { return c == 0 ? startTimes_ : inits_->columnAt(c); }
    // Neighbouring columns after the first (which is replaced), sharing the results' elements.
    Matrix columnsAt(std::size_t first, std::size_t count) const {
        if (first == 0) {
            throw std::logic_error("the corrected start times are not part of the results");
        }
        return inits_->columnsAt(first, count);
    }

  private:
    const Matrix* inits_ = nullptr;
    Matrix startTimes_;  // a column
};

struct TimeBase {
    CorrectedInits inits;  // column 1 corrected for day and week roll-overs
    std::size_t numDataSets = 0;
    double numInits = 0;
    double minTime = 0, maxTime = 0;
    double runLength = 0;     // hours
    std::string TitleString;  // ": <count> inits; <hours> Hours"
    std::size_t MaxLength = 0;
};

// Start times made to rise across GPS day and week ends: a fall of between half a day and a day
// and a half adds a day, a fall of between six and eight days adds a week (bounds strict), and
// each shift carries to every later row.
std::vector<double> correctRollOvers(const std::vector<double>& times);

// ": " + count as "%4d" + " inits; " + hours as "%.1f" + " Hours".
std::string titleSuffix(double numInits, double runLength);

// The longer side of the names stacked as rows of one blank-padded block of text.
std::size_t maxNameLength(const CellRow& names);

// Set-up of a run. An empty matrix, too few columns or too few names raise a RuntimeError
// before anything is drawn or written. The result reads `inits` in place: keep it alive.
TimeBase setup(const Matrix& inits, std::size_t numDataSets, const CellRow& names);

}  // namespace ambiscan::analysis
