#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

namespace ambiscan {

// A column-major matrix of doubles; scalars are 1x1 and "empty" is 0x0 (or any size with a zero
// side). C++ code indexes from 0; the 1-based numbers of the program's rules become 0-based at
// the call site.
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
    std::size_t numel() const { return data_.size(); }
    // The larger side, as the array language's length().
    std::size_t length() const { return numel() == 0 ? 0 : (rows_ > cols_ ? rows_ : cols_); }
    bool empty() const { return data_.empty(); }
    bool isScalar() const { return rows_ == 1 && cols_ == 1; }
    bool isVector() const { return (rows_ == 1 || cols_ == 1) && !empty(); }

    double& operator()(std::size_t r, std::size_t c) { return data_[c * rows_ + r]; }
    double operator()(std::size_t r, std::size_t c) const { return data_[c * rows_ + r]; }
    double& operator[](std::size_t linear) { return data_[linear]; }
    double operator[](std::size_t linear) const { return data_[linear]; }

    const std::vector<double>& data() const { return data_; }
    std::vector<double>& data() { return data_; }
    auto begin() const { return data_.begin(); }
    auto end() const { return data_.end(); }

    Matrix transposed() const;
    Matrix columnAt(std::size_t c) const;
    Matrix rowAt(std::size_t r) const;
    // Same elements, column-major order kept, new shape; rows * cols must equal numel().
    Matrix reshaped(std::size_t rows, std::size_t cols) const;
    Matrix asColumn() const { return reshaped(numel(), 1); }
    Matrix asRow() const { return reshaped(1, numel()); }

    bool operator==(const Matrix& other) const = default;

  private:
    std::size_t rows_ = 0;
    std::size_t cols_ = 0;
    std::vector<double> data_;
};

}  // namespace ambiscan
