#pragma once

#include <cstddef>

namespace ambiscan {

// How the numbers of a file lie on its lines. A test rig writes one record a line, so a file
// whose lines all hold the same count of numbers shows its record length, whatever the
// command line says. Blank lines (and lines of text only) hold no numbers and are passed over.
class LineLayout {
  public:
    void addNumber() { ++onLine_; }
    // The end of a line, or of the file.
    void endLine() {
        if (onLine_ != 0) {
            record(onLine_);
            onLine_ = 0;
        }
    }
    // The count of numbers on each line when every line that holds numbers holds the same
    // count, the last possibly fewer, and at least two lines hold it in full; 0 otherwise (one
    // number a line counts as 1; everything on one line gives 0).
    std::size_t commonCount() const { return irregular_ || fullLines_ < 2 ? 0 : width_; }

  private:
    void record(std::size_t count) {
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

    std::size_t width_ = 0;
    std::size_t fullLines_ = 0;
    std::size_t onLine_ = 0;
    bool shortLine_ = false;
    bool irregular_ = false;
};

}  // namespace ambiscan
