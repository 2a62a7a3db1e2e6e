#include "campaign/FisherExact.hpp"

#include <algorithm>
#include <cmath>

namespace ambiscan::campaign {

namespace {

double logChoose(double n, double k) {
    return std::lgamma(n + 1) - std::lgamma(k + 1) - std::lgamma(n - k + 1);
}

}  // namespace

double fisherExactP(std::size_t a, std::size_t b, std::size_t c, std::size_t d) {
    // X = a is hypergeometric: n1 = a + b drawn from N = n1 + n2 holding K = a + c successes.
    const double n1 = static_cast<double>(a + b), n2 = static_cast<double>(c + d);
    const double K = static_cast<double>(a + c), N = n1 + n2;
    if (n1 == 0 || n2 == 0 || K == 0 || K == N) {
        return 1;
    }
    const double lo = std::max(0.0, K - n2), hi = std::min(n1, K);
    const auto logP = [&](double x) { return logChoose(K, x) + logChoose(N - K, n1 - x); };
    const double mode = std::clamp(std::floor((n1 + 1) * (K + 1) / (N + 2)), lo, hi);
    // Probabilities relative to the mode's, walked outwards by the ratio of neighbours until
    // the terms no longer count beside the observed one; far tails are negligible.
    const double observed = std::exp(logP(static_cast<double>(a)) - logP(mode));
    const double limit = observed * (1 + 1e-7);
    const double negligible = std::min(observed, 1.0) * 1e-20;
    double total = 1, tail = 1 <= limit ? 1 : 0;
    double term = 1;
    for (double x = mode; x < hi; ++x) {
        term *= (K - x) * (n1 - x) / ((x + 1) * (n2 - K + x + 1));
        total += term;
        tail += term <= limit ? term : 0;
        if (term < negligible) {
            break;
        }
    }
    term = 1;
    for (double x = mode; x > lo; --x) {
        term *= x * (n2 - K + x) / ((K - x + 1) * (n1 - x + 1));
        total += term;
        tail += term <= limit ? term : 0;
        if (term < negligible) {
            break;
        }
    }
    return std::min(1.0, tail / total);
}

}  // namespace ambiscan::campaign
