#pragma once

#include <cstddef>

namespace ambiscan {

// A line that would shift the columns of a file laid out one record a line.
struct MisfitLine {
    std::size_t line = 0;  // 1-based; 0: none
    std::size_t count = 0;
};

// How the numbers of a file lie on its lines. A test rig writes one record a line, so a file
// whose lines all hold the same count of numbers shows its record length, whatever the
// command line says. Blank lines (and lines of text only) hold no numbers and are passed over.
class LineLayout {
  public:
    // `recordLength` (0: not known) lets the layout find a line that does not fit a file laid
    // out one record a line.
    explicit LineLayout(std::size_t recordLength = 0) : recordLength_(recordLength) {}

    void addNumber() { ++onLine_; }
    // The end of a line, or of the file.
    void endLine() {
        if (onLine_ != 0) {
            record(onLine_);
            onLine_ = 0;
        }
        ++line_;
    }
    // The count of numbers on each line when every line that holds numbers holds the same
    // count, the last possibly fewer, and at least two lines hold it in full; 0 otherwise (one
    // number a line counts as 1; everything on one line gives 0).
    std::size_t commonCount() const { return irregular_ || fullLines_ < 2 ? 0 : width_; }

    // When at least 90 % of the lines that hold numbers hold one whole record each, the first
    // line after which the records no longer start at the start of a line (a line with a
    // number too many or too few); none otherwise. A record split over lines that are
    // together whole records fits, and so does a shorter last line (a partial last record).
    // Asked after the last endLine().
    MisfitLine misfit() const {
        if (recordLength_ == 0 || recordLines_ * 10 < numberedLines_ * 9) {
            return {};
        }
        if (misfit_.line != 0) {
            return misfit_;
        }
        const bool shortLast = pending_.line == lastLine_ && pending_.count < recordLength_;
        return total_ % recordLength_ != 0 && !shortLast ? pending_ : MisfitLine{};
    }

  private:
    void record(std::size_t count) {
        alignment(count);
        if (irregular_) {
            return;
        }
        if (width_ == 0) {
            width_ = count;
            fullLines_ = 1;
        } else if (shortLine_ || count > width_) {
            irregular_ = true;  // a short line that is not the last, or a longer line
        } else if (count == width_) {
            ++fullLines_;
        } else {
            shortLine_ = true;
        }
    }

    void alignment(std::size_t count) {
        if (recordLength_ == 0) {
            return;
        }
        ++numberedLines_;
        lastLine_ = line_;
        recordLines_ += count == recordLength_ ? 1 : 0;
        total_ = (total_ + count) % recordLength_;
        if (total_ == 0) {
            pending_ = {};
        } else if (pending_.line == 0) {
            pending_ = {line_, count};  // the records go out of step here
        } else if (count == recordLength_ && misfit_.line == 0) {
            misfit_ = pending_;  // a whole record's line read out of step
        }
    }

    std::size_t width_ = 0;
    std::size_t fullLines_ = 0;
    std::size_t onLine_ = 0;
    bool shortLine_ = false;
    bool irregular_ = false;

    std::size_t recordLength_;
    std::size_t line_ = 1;
    std::size_t numberedLines_ = 0;
    std::size_t recordLines_ = 0;
    std::size_t lastLine_ = 0;
    std::size_t total_ = 0;  // numbers so far, modulo the record length
    MisfitLine pending_;     // where the records went out of step, until they are in step again
    MisfitLine misfit_;
};

}  // namespace ambiscan
