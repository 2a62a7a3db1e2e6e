#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/numeric/Matrix.hpp"

namespace ambiscan {

// Where a "%f" read stopped when it met text that is not a number, and what it saw on the way.
struct ScanStop {
    bool atText = false;   // false: the read reached the end of the file
    std::size_t line = 0;  // 1-based line of the offending token
    std::string token;     // the offending token's raw bytes (up to the next white space,
                           // shortened; may end inside a multi-byte character)
    int readError = 0;     // the system's error number when reading the file failed
    // The count of numbers on every line that holds numbers (the last may hold fewer), when
    // at least two lines hold it; 0 for any other layout (see LineLayout).
    std::size_t numbersPerLine = 0;
};

// The formatted read of "%f" numbers from an open file: decimal numbers separated by white
// space, read until the end of the file or the first text that is not a number.
//
// A number is an optional sign, digits with an optional fraction (or a fraction alone: ".5",
// "3."), and an optional exponent ("1e3", "2.5E-4"); or "Inf", "Infinity" or "NaN" in any
// letter case, with an optional sign. The longest such prefix of the text is taken, so "12abc"
// reads 12 and then stops at "abc", and "1.5.3" reads 1.5 and .3. Hexadecimal numbers are not
// decimal: "0x10" reads 0 and stops at "x10". A leading "+" is allowed. "-0" keeps its sign.
// A UTF-8 byte-order mark at the very start is skipped. A token is read whole however long it
// is, also across the blocks the file is read in.
//
// Values are appended to `values` in file order; the file is read in chunks, so memory grows
// with the values only.
ScanStop scanNumbers(std::FILE* file, std::vector<double>& values);

// Deals numbers out to a fixed number of columns in turn: number k goes to column k mod n, and
// the columns become one column-major matrix. Told how many records to expect, it writes them
// straight into that matrix; numbers beyond go on in columns that grow, joined at the end.
class ColumnDealer {
  public:
    explicit ColumnDealer(std::size_t columns) : columns_(columns), width_(columns) {}
    // Room for this many records, written in place.
    void expectRecords(std::size_t records);
    void push_back(double value) {
        if (row_ < rows_) {
            data_[next_ * rows_ + row_] = value;
        } else {
            spill(value);
        }
        if (++next_ == width_) {
            next_ = 0;
            ++row_;
        }
        ++count_;
    }
    std::size_t count() const { return count_; }
    // The numbers read, record r in row r; zeros complete a partial last record.
    Matrix takeMatrix();

  private:
    void spill(double value);

    std::vector<std::vector<double>> columns_;  // once the records outgrow the room
    std::vector<double> data_;                  // rows_ x width_, column after column
    std::size_t width_, rows_ = 0;
    std::size_t next_ = 0, row_ = 0, count_ = 0;
    bool spilled_ = false;
};

// White-space separated tokens in the rest of the file, read to its end: at most one number
// each in well-formed input, so a close guess of how many numbers it holds.
std::size_t countTokens(std::FILE* file);

ScanStop scanNumbers(std::FILE* file, ColumnDealer& columns);

// The same rule over text already in memory (for tests and small inputs).
ScanStop scanNumbers(const std::string& text, std::vector<double>& values);

}  // namespace ambiscan
