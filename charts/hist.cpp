#include "charts/hist.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "charts/bar.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/numeric/CentredBins.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::charts {

namespace {

constexpr double kDefaultBinCount = 10;

double binCountOf(const Matrix& x) {
    const double count = x[0];
    if (!(count >= 1) || std::floor(count) != count || std::isinf(count)) {
        throw RuntimeError("The number of bins must be a positive whole number.");
    }
    return count;
}

struct Bins {
    Matrix centres;                  // as given, or a row for a bin count
    std::vector<double> boundaries;  // one more than the centres
};

// Equal bins spanning the data.
Bins binsFromCount(const Matrix& y, double count) {
    double lo, hi;
    valueRange(y, lo, hi);
    if (lo == hi) {
        // One distinct value: unit bins around it, the value in the middle one.
        lo = lo - std::floor(count / 2) - 0.5;
        hi = hi + std::ceil(count / 2) - 0.5;
    }
    const auto n = static_cast<std::size_t>(count);
    const double binwidth = (hi - lo) / count;
    Bins bins;
    bins.boundaries.resize(n + 1);
    for (std::size_t k = 0; k <= n; ++k) {
        bins.boundaries[k] = lo + binwidth * static_cast<double>(k);
    }
    bins.boundaries[n] = hi;
    bins.centres = Matrix(1, n);
    for (std::size_t k = 0; k < n; ++k) {
        bins.centres[k] = bins.boundaries[k] + binwidth / 2;
    }
    return bins;
}

struct Counted {
    Matrix nn;       // one column of counts per column of values
    Matrix centres;  // the bin centres
    bool vectorValues = false;
};

Counted count(const std::vector<Value>& args) {
    if (args.empty()) {
        throw RuntimeError("Requires one or two input arguments.");
    }
    if (args.size() > 2) {
        throw RuntimeError("Too many input arguments.");
    }
    for (const Value& v : args) {
        if (!isNumeric(v)) {
            throw RuntimeError("Input arguments must be numeric.");
        }
    }
    Matrix y = std::get<Matrix>(args[0]);
    Matrix x = args.size() > 1 ? std::get<Matrix>(args[1]) : Matrix();
    if (x.empty()) {
        x = Matrix::scalar(kDefaultBinCount);
    }
    Counted result;
    result.vectorValues = y.isVector();
    if (result.vectorValues) {
        y = y.asColumn();
    }
    if (y.empty()) {
        result.centres = x.isScalar() ? Matrix::range(1, 1, binCountOf(x)) : x;
        result.nn = Matrix(result.centres.rows(), result.centres.cols());
        return result;
    }
    const Bins bins =
        x.isScalar() ? binsFromCount(y, binCountOf(x)) : Bins{x, boundariesFromCentres(y, x)};
    result.centres = bins.centres;
    result.nn = countInBins(y, bins.boundaries);
    return result;
}

}  // namespace

HistCounts hist(const std::vector<Value>& args) {
    Counted counted = count(args);
    if (counted.vectorValues) {
        return HistCounts{counted.nn.asRow(), counted.centres};
    }
    return HistCounts{counted.nn, counted.centres.transposed()};
}

HistCounts hist(const Matrix& y, const Matrix& centres) {
    return hist({Value{y}, Value{centres}});
}

void histDraw(graphics::Graphics& graphics, const std::vector<Value>& args) {
    const Counted counted = count(args);
    bar(graphics, {Value{counted.centres}, Value{counted.nn}, Value{std::string("hist")}});
}

}  // namespace ambiscan::charts
