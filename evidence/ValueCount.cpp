#include "evidence/ValueCount.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace ambiscan::evidence {

namespace {

// The bits of a double turned into a whole number that orders as the double does (negative
// ones flipped, positive ones with the sign bit set): sorting whole numbers is about twice as
// fast as sorting doubles, on a million differences per pair of receivers.
std::uint64_t orderKey(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v == 0 ? 0.0 : v);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

double fromKey(std::uint64_t key) {
    return std::bit_cast<double>((key >> 63) != 0 ? key & ~(std::uint64_t{1} << 63) : ~key);
}

}  // namespace

std::vector<ValueCount> distinctValues(const std::vector<double>& values) {
    std::vector<std::uint64_t> keys(values.size());
    std::transform(values.begin(), values.end(), keys.begin(), orderKey);
    std::sort(keys.begin(), keys.end());
    std::vector<ValueCount> distinct;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (k == 0 || keys[k] != keys[k - 1]) {
            distinct.push_back({fromKey(keys[k]), 0});
        }
        ++distinct.back().count;
    }
    return distinct;
}

}  // namespace ambiscan::evidence
