#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

namespace ambiscan {

// A column-major matrix of doubles; scalars are 1x1 and "empty" is 0x0 (or any size with a zero
// side). C++ code indexes from 0; the 1-based numbers of the program's rules become 0-based at
// the call site.
//
// Copies share their elements until one of them is written to: a run hands the same columns of
// a million records to statistics, several figures and the lines in them, which would otherwise
// each hold a copy. A column, and a reshaped matrix, share the elements of the one they come
// from. Writing (the non-const accessors) first gives the matrix elements of its own.
class Matrix {
  public:
    Matrix() = default;
    Matrix(std::size_t rows, std::size_t cols, double fill = 0.0);
    Matrix(std::size_t rows, std::size_t cols, std::vector<double> columnMajor);

    static Matrix scalar(double value);
    static Matrix row(std::vector<double> values);
    static Matrix column(std::vector<double> values);
    static Matrix row(std::initializer_list<double> values) {
        return row(std::vector<double>(values));
    }
    static Matrix column(std::initializer_list<double> values) {
        return column(std::vector<double>(values));
    }
    // first, first + step, ... up to and including last when it falls on the grid.
    static Matrix range(double first, double step, double last);

    std::size_t rows() const { return rows_; }
    std::size_t cols() const { return cols_; }
    std::size_t numel() const { return rows_ * cols_; }
    // The larger side, as the array language's length().
    std::size_t length() const { return numel() == 0 ? 0 : (rows_ > cols_ ? rows_ : cols_); }
    bool empty() const { return numel() == 0; }
    bool isScalar() const { return rows_ == 1 && cols_ == 1; }
    bool isVector() const { return (rows_ == 1 || cols_ == 1) && !empty(); }

    double& operator()(std::size_t r, std::size_t c) { return writable()[c * rows_ + r]; }
    double operator()(std::size_t r, std::size_t c) const { return elements()[c * rows_ + r]; }
    double& operator[](std::size_t linear) { return writable()[linear]; }
    double operator[](std::size_t linear) const { return elements()[linear]; }

    std::span<const double> data() const { return {elements(), numel()}; }
    std::span<double> data() { return {writable(), numel()}; }
    const double* begin() const { return elements(); }
    const double* end() const { return elements() + numel(); }
    std::vector<double> toVector() const { return {begin(), end()}; }

    Matrix transposed() const;
    Matrix columnAt(std::size_t c) const { return columnsAt(c, 1); }
    // Columns first .. first + count - 1, sharing this matrix's elements.
    Matrix columnsAt(std::size_t first, std::size_t count) const;
    Matrix rowAt(std::size_t r) const;
    // Same elements, column-major order kept, new shape; rows * cols must equal numel().
    Matrix reshaped(std::size_t rows, std::size_t cols) const;
    Matrix asColumn() const { return reshaped(numel(), 1); }
    Matrix asRow() const { return reshaped(1, numel()); }

    bool operator==(const Matrix& other) const;

  private:
    const double* elements() const { return store_ ? store_->data() + offset_ : nullptr; }
    double* writable();  // elements of its own first

    std::shared_ptr<std::vector<double>> store_;  // null when empty
    std::size_t offset_ = 0;                      // where the elements start in the store
    std::size_t rows_ = 0;
    std::size_t cols_ = 0;
};

}  // namespace ambiscan
