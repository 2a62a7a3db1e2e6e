#include "platform/numeric/CentredBins.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/numeric/EdgeLocator.hpp"

namespace ambiscan {

namespace {

constexpr double kEps = 2.220446049250313e-16;

}  // namespace

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

std::vector<double> boundariesFromCentres(const Matrix& y, const Matrix& centres) {
    const std::size_t n = centres.numel();
    const std::span<const double> c = centres.data();
    std::vector<double> boundaries(n + 1);
    boundaries[0] = c[0] - (c[1] - c[0]) / 2;
    for (std::size_t k = 0; k < n; ++k) {
        const double gap = k + 1 < n ? c[k + 1] - c[k] : 0.0;
        boundaries[k + 1] = c[k] + gap / 2;
    }
    double lo, hi;
    valueRange(y, lo, hi);
    // NaN comparisons leave the boundaries alone when there is no value to take in.
    if (lo < boundaries[0]) {
        boundaries[0] = lo;
    }
    if (hi > boundaries[n]) {
        boundaries[n] = hi;
    }
    return boundaries;
}

Matrix countInBins(const Matrix& y, const std::vector<double>& boundaries) {
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

Matrix centredBinCounts(const Matrix& values, const Matrix& centres) {
    if (values.empty()) {
        return Matrix(1, centres.numel());
    }
    const Matrix column = values.asColumn();
    return countInBins(column, boundariesFromCentres(column, centres)).asRow();
}

}  // namespace ambiscan
