#include "platform/numeric/Matrix.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan {

Matrix::Matrix(std::size_t rows, std::size_t cols, double fill)
    : store_(rows * cols == 0 ? nullptr : std::make_shared<std::vector<double>>(rows * cols, fill)),
      rows_(rows),
      cols_(cols) {}

Matrix::Matrix(std::size_t rows, std::size_t cols, std::vector<double> columnMajor)
    : rows_(rows), cols_(cols) {
    if (columnMajor.size() != rows * cols) {
        throw RuntimeError("Matrix dimensions do not match the number of elements.");
    }
    if (!columnMajor.empty()) {
        store_ = std::make_shared<std::vector<double>>(std::move(columnMajor));
    }
}

double* Matrix::writable() {
    if (!store_) {
        return nullptr;
    }
    // Shared: the elements are copied out before any is changed. A part of a store no other
    // matrix holds is changed in place.
    if (store_.use_count() != 1) {
        store_ = std::make_shared<std::vector<double>>(begin(), end());
        offset_ = 0;
    }
    return store_->data() + offset_;
}

bool Matrix::operator==(const Matrix& other) const {
    return rows_ == other.rows_ && cols_ == other.cols_ &&
           std::equal(begin(), end(), other.begin());
}

Matrix Matrix::scalar(double value) {
    return Matrix(1, 1, value);
}

Matrix Matrix::row(std::vector<double> values) {
    const std::size_t n = values.size();
    return n == 0 ? Matrix() : Matrix(1, n, std::move(values));
}

Matrix Matrix::column(std::vector<double> values) {
    const std::size_t n = values.size();
    return n == 0 ? Matrix() : Matrix(n, 1, std::move(values));
}

Matrix Matrix::range(double first, double step, double last) {
    std::vector<double> values;
    if (step == 0 || std::isnan(first) || std::isnan(step) || std::isnan(last) ||
        (step > 0 && first > last) || (step < 0 && first < last)) {
        return Matrix(1, 0);
    }
    // Count with a small tolerance so that 0:0.1:1 keeps its last element.
    const double span = (last - first) / step;
    const auto count = static_cast<std::size_t>(std::floor(span + span * 1e-12 + 1e-10)) + 1;
    values.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        values.push_back(first + static_cast<double>(k) * step);
    }
    return Matrix(1, count, std::move(values));
}

Matrix Matrix::transposed() const {
    Matrix result(cols_, rows_);
    double* out = result.writable();
    const double* in = begin();
    for (std::size_t c = 0; c < cols_; ++c) {
        for (std::size_t r = 0; r < rows_; ++r) {
            out[r * cols_ + c] = in[c * rows_ + r];
        }
    }
    return result;
}

Matrix Matrix::columnsAt(std::size_t first, std::size_t count) const {
    if (first >= cols_ || count > cols_ - first) {
        throw RuntimeError("Index exceeds matrix dimensions.");
    }
    Matrix part;
    part.rows_ = rows_;
    part.cols_ = count;
    if (rows_ != 0 && count != 0) {
        part.store_ = store_;
        part.offset_ = offset_ + first * rows_;
    }
    return part;
}

Matrix Matrix::rowAt(std::size_t r) const {
    if (r >= rows_) {
        throw RuntimeError("Index exceeds matrix dimensions.");
    }
    Matrix result(1, cols_);
    for (std::size_t c = 0; c < cols_; ++c) {
        result[c] = (*this)(r, c);
    }
    return result;
}

Matrix Matrix::reshaped(std::size_t rows, std::size_t cols) const {
    if (rows * cols != numel()) {
        throw RuntimeError("To RESHAPE the number of elements must not change.");
    }
    Matrix result = *this;
    result.rows_ = rows;
    result.cols_ = cols;
    return result;
}

}  // namespace ambiscan
