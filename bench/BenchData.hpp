#pragma once

#include <cmath>
#include <cstddef>
#include <random>

#include "platform/numeric/Matrix.hpp"

// Data of the shapes the analysis draws, made the same way on every run.
namespace ambiscan::bench {

// n start times 30 s apart: a column.
inline Matrix evenTimes(std::size_t n) {
    Matrix m(n, 1);
    for (std::size_t i = 0; i < n; ++i)
        m[i] = 300000.0 + 30.0 * static_cast<double>(i);
    return m;
}

// n position errors in metres: mostly a few centimetres, now and then a bad fix.
inline Matrix noisyErrors(std::size_t n, unsigned seed) {
    std::mt19937_64 random(seed);
    std::normal_distribution<double> good(0.0, 0.015);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Matrix m(n, 1);
    for (std::size_t i = 0; i < n; ++i)
        m[i] = unit(random) < 0.01 ? (unit(random) - 0.5) * 2.0 : good(random);
    return m;
}

// n times to fix in seconds with a long tail.
inline Matrix fixTimes(std::size_t n, unsigned seed) {
    std::mt19937_64 random(seed);
    std::lognormal_distribution<double> t(3.3, 0.6);
    Matrix m(n, 1);
    for (std::size_t i = 0; i < n; ++i)
        m[i] = std::round(t(random) * 10.0) / 10.0;
    return m;
}

}  // namespace ambiscan::bench
