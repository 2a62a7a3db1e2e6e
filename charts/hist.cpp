#include "charts/hist.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "charts/bar.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/numeric/EdgeLocator.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::charts {

namespace {

constexpr double kEps = 2.220446049250313e-16;
constexpr double kDefaultBinCount = 10;

struct Bins {
    Matrix centres;                  // as given, or a row for a bin count
    std::vector<double> boundaries;  // one more than the centres
};

void valueRange(const Matrix& y, double& lo, double& hi) {
    lo = std::numeric_limits<double>::quiet_NaN();
    hi = lo;
    for (double v : y) {
        if (std::isnan(v)) {
            continue;
        }
        if (std::isnan(lo) || v < lo) {
            lo = v;
        }
        if (std::isnan(hi) || v > hi) {
            hi = v;
        }
    }
}

double binCountOf(const Matrix& x) {
    const double count = x[0];
    if (!(count >= 1) || std::floor(count) != count || std::isinf(count)) {
        throw RuntimeError("The number of bins must be a positive whole number.");
    }
    return count;
}

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

// Boundaries halfway between neighbouring centres, the outer ones widened to take in all data.
Bins binsFromCentres(const Matrix& y, const Matrix& centres) {
    const std::size_t n = centres.numel();
    const std::span<const double> c = centres.data();
    Bins bins;
    bins.centres = centres;
    bins.boundaries.resize(n + 1);
    bins.boundaries[0] = c[0] - (c[1] - c[0]) / 2;
    for (std::size_t k = 0; k < n; ++k) {
        const double gap = k + 1 < n ? c[k + 1] - c[k] : 0.0;
        bins.boundaries[k + 1] = c[k] + gap / 2;
    }
    double lo, hi;
    valueRange(y, lo, hi);
    // NaN comparisons leave the boundaries alone when there is no value to take in.
    if (lo < bins.boundaries[0]) {
        bins.boundaries[0] = lo;
    }
    if (hi > bins.boundaries[n]) {
        bins.boundaries[n] = hi;
    }
    return bins;
}

// Counts per column: a value v counts in bin k when boundary k < v <= boundary k + 1; the first
// bin also takes everything at or below its lower boundary and the last everything above its
// upper one. Every boundary is nudged up by one relative step so that a value on an inner
// boundary falls to the lower bin.
Matrix countColumns(const Matrix& y, const std::vector<double>& boundaries) {
    const std::size_t n = boundaries.size() - 1;
    std::vector<double> edges(n + 2);
    edges[0] = -std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k <= n; ++k) {
        const double b = boundaries[k];
        edges[k + 1] = std::isinf(b) ? b : b + std::max(kEps, kEps * std::fabs(b));
    }
    const EdgeLocator locate(edges);
    // raw[j]: edges[j] <= v < edges[j + 1]; the last also takes v equal to the last edge.
    std::vector<double> raw(n + 2);
    Matrix counts(n, y.cols());
    for (std::size_t c = 0; c < y.cols(); ++c) {
        std::fill(raw.begin(), raw.end(), 0.0);
        const double* v = y.data().data() + c * y.rows();
        for (std::size_t r = 0; r < y.rows(); ++r) {
            const double x = v[r];
            if (std::isnan(x) || x > edges.back()) {
                continue;
            }
            raw[x == edges.back() ? n + 1 : locate.bin(x)] += 1;
        }
        for (std::size_t k = 0; k < n; ++k) {
            counts(k, c) = raw[k + 1];
        }
        counts(0, c) += raw[0];
        counts(n - 1, c) += raw[n + 1];
    }
    return counts;
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
    const Bins bins = x.isScalar() ? binsFromCount(y, binCountOf(x)) : binsFromCentres(y, x);
    result.centres = bins.centres;
    result.nn = countColumns(y, bins.boundaries);
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
