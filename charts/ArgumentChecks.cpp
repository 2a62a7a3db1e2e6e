#include "charts/ArgumentChecks.hpp"

#include <utility>

namespace ambiscan::charts {

std::string argumentCountMessage(std::size_t low, std::size_t high, std::size_t count) {
    if (count < low) {
        return "Not enough input arguments.";
    }
    if (count > high) {
        return "Too many input arguments.";
    }
    return {};
}

std::size_t elementCount(const Value& v) {
    if (const Matrix* m = std::get_if<Matrix>(&v)) {
        return m->numel();
    }
    if (const std::string* s = std::get_if<std::string>(&v)) {
        return s->size();
    }
    return std::get<CellRow>(v).size();
}

namespace {

Matrix positionsFor(std::size_t count) {
    Matrix x(count, 1);
    for (std::size_t k = 0; k < count; ++k) {
        x[k] = static_cast<double>(k + 1);
    }
    return x;
}

PlotData failure(const std::string& msg) {
    return PlotData{msg, {}, {}};
}

}  // namespace

namespace {

// A vector as a column, sharing its values.
Matrix turnedToColumn(const Matrix& v) {
    return v.asColumn();
}

}  // namespace

PlotData checkPlotData(const std::vector<Value>& data) {
    if (data.empty() || data.size() > 2) {
        return failure(argumentCountMessage(1, 2, data.size()));
    }
    for (const Value& v : data) {
        if (!isNumeric(v)) {
            return failure("Data arguments must be numeric.");
        }
    }
    Matrix y = std::get<Matrix>(data.back());
    if (y.isVector()) {
        y = turnedToColumn(std::move(y));
    }
    if (data.size() == 1) {
        Matrix x = y.empty() ? Matrix() : positionsFor(y.rows());
        return PlotData{{}, std::move(x), std::move(y)};
    }
    Matrix x = std::get<Matrix>(data.front());
    if (x.empty() && y.empty()) {
        return PlotData{{}, Matrix(), Matrix()};
    }
    if (x.isVector()) {
        x = turnedToColumn(std::move(x));
        if (x.rows() == y.rows()) {
            return PlotData{{}, std::move(x), std::move(y)};
        }
        // A row of positions against a matrix whose columns are the positions.
        if (y.cols() > 1 && x.rows() == y.cols()) {
            return PlotData{{}, std::move(x), y.transposed()};
        }
        return failure("Vector X must have the same length as Y.");
    }
    if (x.rows() != y.rows() || x.cols() != y.cols()) {
        return failure("Matrix X must have the same size as Y.");
    }
    return PlotData{{}, std::move(x), std::move(y)};
}

}  // namespace ambiscan::charts
