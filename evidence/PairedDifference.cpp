#include "evidence/PairedDifference.hpp"

#include <cmath>
#include <limits>

namespace ambiscan::evidence {

namespace {

constexpr double kZ = 1.959963984540054;  // the two-sided 95 % point of the normal

}  // namespace

Interval wilson95(std::size_t successes, std::size_t n) {
    if (n == 0) {
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    }
    const auto m = static_cast<double>(n);
    const double p = static_cast<double>(successes) / m;
    const double z2 = kZ * kZ;
    const double centre = (p + z2 / (2 * m)) / (1 + z2 / m);
    const double half = kZ * std::sqrt(p * (1 - p) / m + z2 / (4 * m * m)) / (1 + z2 / m);
    // The closed ends are exact, not a rounding away from them.
    return {successes == 0 ? 0.0 : centre - half, successes == n ? 1.0 : centre + half};
}

Interval pairedDifference95(const PairedTable& t) {
    const std::size_t n = t.both + t.onlyA + t.onlyB + t.neither;
    if (n == 0) {
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    }
    // Newcombe's table: first proportion b's (cells a + b of his notation), second a's.
    const auto a = static_cast<double>(t.both);
    const auto b = static_cast<double>(t.onlyB);
    const auto c = static_cast<double>(t.onlyA);
    const auto d = static_cast<double>(t.neither);
    const auto rows = static_cast<double>(n);
    const double p1 = (a + b) / rows;
    const double p2 = (a + c) / rows;
    const Interval w1 = wilson95(t.both + t.onlyB, n);
    const Interval w2 = wilson95(t.both + t.onlyA, n);

    double phi = 0;
    const double margins = (a + b) * (c + d) * (a + c) * (b + d);
    if (margins > 0) {
        double numerator = a * d - b * c;
        if (numerator > rows / 2) {
            numerator -= rows / 2;
        } else if (numerator >= 0) {
            numerator = 0;
        }
        phi = numerator / std::sqrt(margins);
    }
    const double theta = p1 - p2;
    const double dl1 = p1 - w1.lower, du1 = w1.upper - p1;
    const double dl2 = p2 - w2.lower, du2 = w2.upper - p2;
    const double below = std::sqrt(std::max(0.0, dl1 * dl1 - 2 * phi * dl1 * du2 + du2 * du2));
    const double above = std::sqrt(std::max(0.0, du1 * du1 - 2 * phi * du1 * dl2 + dl2 * dl2));
    return {theta - below, theta + above};
}

}  // namespace ambiscan::evidence
