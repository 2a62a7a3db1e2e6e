#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace ambiscan {

// Where a "%f" read stopped when it met text that is not a number.
struct ScanStop {
    bool atText = false;   // false: the read reached the end of the file
    std::size_t line = 0;  // 1-based line of the offending token
    std::string token;     // the offending token (up to the next white space, shortened)
};

// The formatted read of "%f" numbers from an open file: decimal numbers separated by white
// space, read until the end of the file or the first text that is not a number.
//
// A number is an optional sign, digits with an optional fraction (or a fraction alone: ".5",
// "3."), and an optional exponent ("1e3", "2.5E-4"); or "Inf", "Infinity" or "NaN" in any
// letter case, with an optional sign. The longest such prefix of the text is taken, so "12abc"
// reads 12 and then stops at "abc", and "1.5.3" reads 1.5 and .3. Hexadecimal numbers are not
// decimal: "0x10" reads 0 and stops at "x10". A leading "+" is allowed.
//
// Values are appended to `values` in file order; the file is read in chunks, so memory grows
// with the values only.
ScanStop scanNumbers(std::FILE* file, std::vector<double>& values);

// Deals numbers out to a fixed number of columns in turn: number k goes to column k mod n.
// Reading records straight into columns gives the column-major layout without a transpose.
class ColumnDealer {
  public:
    explicit ColumnDealer(std::size_t columns) : columns_(columns) {}
    void push_back(double value) {
        columns_[next_].push_back(value);
        next_ = next_ + 1 == columns_.size() ? 0 : next_ + 1;
        ++count_;
    }
    std::size_t count() const { return count_; }
    std::vector<std::vector<double>>& columns() { return columns_; }

  private:
    std::vector<std::vector<double>> columns_;
    std::size_t next_ = 0;
    std::size_t count_ = 0;
};

ScanStop scanNumbers(std::FILE* file, ColumnDealer& columns);

// The same rule over text already in memory (for tests and small inputs).
ScanStop scanNumbers(const std::string& text, std::vector<double>& values);

}  // namespace ambiscan
