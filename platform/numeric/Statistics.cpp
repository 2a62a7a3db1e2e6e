#include "platform/numeric/Statistics.hpp"

#include "platform/numeric/EdgeLocator.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace ambiscan {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double maxOfRange(const double* v, std::size_t n) {
    double best = kNaN;
    for (std::size_t k = 0; k < n; ++k) {
        if (!std::isnan(v[k]) && (std::isnan(best) || v[k] > best)) {
            best = v[k];
        }
    }
    return best;
}

double meanOfRange(const double* v, std::size_t n) {
    if (n == 0) {
        return kNaN;
    }
    double sum = 0;
    for (std::size_t k = 0; k < n; ++k) {
        sum += v[k];
    }
    return sum / static_cast<double>(n);
}

// Median by selection: nth_element finds the middle without a full sort.
double medianOfRange(const double* v, std::size_t n) {
    if (n == 0) {
        return kNaN;
    }
    std::vector<double> work(v, v + n);
    if (std::any_of(work.begin(), work.end(), [](double x) { return std::isnan(x); })) {
        return kNaN;
    }
    const std::size_t mid = n / 2;
    std::nth_element(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(mid), work.end());
    const double upper = work[mid];
    if (n % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(mid));
    // Averaging as (a + b) / 2 would overflow for two huge values of the same sign.
    return (std::isinf(lower) || std::isinf(upper)) ? (lower + upper) / 2
                                                    : lower + (upper - lower) / 2;
}

double stdOfRange(const double* v, std::size_t n) {
    if (n == 0) {
        return kNaN;
    }
    if (n == 1) {
        return std::isfinite(v[0]) ? 0.0 : kNaN;
    }
    const double mean = meanOfRange(v, n);
    double sum = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const double d = v[k] - mean;
        sum += d * d;
    }
    return std::sqrt(sum / static_cast<double>(n - 1));
}

}  // namespace

double maxValue(const Matrix& v) {
    return maxOfRange(v.data().data(), v.numel());
}
double meanValue(const Matrix& v) {
    return meanOfRange(v.data().data(), v.numel());
}
double medianValue(const Matrix& v) {
    return medianOfRange(v.data().data(), v.numel());
}
double stdValue(const Matrix& v) {
    return stdOfRange(v.data().data(), v.numel());
}

namespace {

// Count of one run of values against ascending edges.
void countInto(const double* values, std::size_t n, const std::vector<double>& edges,
               double* counts) {
    const std::size_t numEdges = edges.size();
    if (numEdges == 0) {
        return;
    }
    if (std::is_sorted(edges.begin(), edges.end())) {
        const EdgeLocator locate(edges);
        for (std::size_t k = 0; k < n; ++k) {
            const double v = values[k];
            if (std::isnan(v) || v < edges.front() || v > edges.back()) {
                continue;
            }
            counts[v == edges.back() ? numEdges - 1 : locate.bin(v)] += 1;
        }
        return;
    }
    for (std::size_t k = 0; k < n; ++k) {
        const double v = values[k];
        if (std::isnan(v) || v < edges.front() || v > edges.back()) {
            continue;
        }
        if (v == edges.back()) {
            counts[numEdges - 1] += 1;
            continue;
        }
        // The last edge not above v: edges[bin] <= v < edges[bin + 1].
        const auto it = std::upper_bound(edges.begin(), edges.end(), v);
        const auto bin = static_cast<std::size_t>(it - edges.begin()) - 1;
        counts[bin] += 1;
    }
}

}  // namespace

Matrix histc(const Matrix& values, const Matrix& edges) {
    const std::vector<double> e = edges.toVector();
    const std::size_t numEdges = e.size();
    if (values.rows() == 1 || values.cols() == 1 || values.empty()) {
        // A vector of values gives counts in the same orientation.
        Matrix counts = values.rows() == 1 ? Matrix(1, numEdges) : Matrix(numEdges, 1);
        countInto(values.data().data(), values.numel(), e, counts.data().data());
        return counts;
    }
    Matrix counts(numEdges, values.cols());
    for (std::size_t c = 0; c < values.cols(); ++c) {
        countInto(values.data().data() + c * values.rows(), values.rows(), e,
                  counts.data().data() + c * numEdges);
    }
    return counts;
}

double roundHalfAway(double x) {
    return std::round(x);
}

}  // namespace ambiscan
