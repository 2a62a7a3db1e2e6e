#pragma once

#include <bit>
#include <cstdint>

namespace ambiscan::evidence {

// The bits of a double (not NaN) turned into a whole number that orders as the double does
// (negative ones flipped, positive ones with the sign bit set; -0 as 0): whole numbers sort by
// their digits.
inline std::uint64_t orderKey(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v == 0 ? 0.0 : v);
    return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

inline double fromKey(std::uint64_t key) {
    return std::bit_cast<double>((key >> 63) != 0 ? key & ~(std::uint64_t{1} << 63) : ~key);
}

}  // namespace ambiscan::evidence
