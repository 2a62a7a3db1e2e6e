#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/numeric/LineLayout.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan {

// Where a "%f" read stopped when it met text that is not a number, and what it saw on the way.
struct ScanStop {
    bool atText = false;   // false: the read reached the end of the file
    std::size_t line = 0;  // 1-based line of the offending token
    std::string token;     // the offending token's raw bytes (up to the next white space,
                           // shortened; may end inside a multi-byte character)
    bool notText = false;  // the token holds a control byte (a NUL, an escape ...)
    int readError = 0;     // the system's error number when reading the file failed
    // The count of numbers on every line that holds numbers (the last may hold fewer), when
    // at least two lines hold it; 0 for any other layout (see LineLayout).
    std::size_t numbersPerLine = 0;
    // Given the record length: a line that would shift the columns of a file laid out one
    // record a line (see LineLayout::misfit).
    MisfitLine misfit;
};

// The longest token read as a number; a longer one is text. No instrument writes a number of
// thousands of digits, and the bound keeps the memory a token takes small.
inline constexpr std::size_t kLongestNumber = 4096;

// The bytes kept of a token where reading stopped: enough for 40 characters of four bytes.
inline constexpr std::size_t kStopTokenBytes = 160;

// Whether `text`, the whole of it, is one number by the rules of scanNumbers.
bool isWholeNumber(std::string_view text, double& value);

// Shown every block of bytes as it is read from a file, before it is scanned.
using BytesRead = std::function<void(std::string_view)>;

// The formatted read of "%f" numbers from an open file: decimal numbers separated by white
// space, read until the end of the file or the first text that is not a number.
//
// A number is an optional sign, digits with an optional fraction (or a fraction alone: ".5",
// "3."), and an optional exponent ("1e3", "2.5E-4"); or "Inf", "Infinity" or "NaN" in any
// letter case, with an optional sign. It ends at white space or the end of the file: a token
// that goes on ("12abc", "1.5.3", "2024-01-05", "1e5e5", "0x10") is text, and reading stops
// there. A leading "+" is allowed. "-0" keeps its sign. A token of more than kLongestNumber
// bytes is text. A UTF-8 byte-order mark at the very start is skipped.
//
// Values are appended to `values` in file order; the file is read in blocks, and no more of a
// token is held than a number may have (text: what the message shows), so memory grows with
// the values only. `recordLength` (0: not known) lets the stop tell a line that would shift
// the records' columns. `bytesRead` sees every byte read, in order.
ScanStop scanNumbers(std::FILE* file, std::vector<double>& values, std::size_t recordLength = 0,
                     const BytesRead& bytesRead = {});

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
    std::size_t columns() const { return width_; }
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

// White-space separated tokens in the rest of the file, read to its end (or to the block with
// a NUL byte, where reading the numbers stops too): at most one number each in well-formed
// input, so a close guess of how many numbers it holds.
std::size_t countTokens(std::FILE* file);

// The record length is the dealer's column count.
ScanStop scanNumbers(std::FILE* file, ColumnDealer& columns, const BytesRead& bytesRead = {});

// The same rule over text already in memory (for tests and small inputs).
ScanStop scanNumbers(const std::string& text, std::vector<double>& values,
                     std::size_t recordLength = 0);

}  // namespace ambiscan
