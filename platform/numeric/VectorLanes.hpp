#pragma once

#include <cstdlib>
#include <string_view>

#include <cstdint>

// Doubles side by side in vector registers: two lanes, as every x86-64 processor has them, or
// four, as processors with AVX2 have them. For the few loops that read every point of a line.
//
// Four-lane code must be compiled for AVX2 (in a function marked gnu::target("avx2,bmi2"), the
// code inlined into it) and run only where processorHasFourLanes() holds. Such processors also
// have BMI2, whose shifts the loops around the lanes use.
namespace ambiscan {

template <int kLanes>
struct VectorLanes;

template <>
struct VectorLanes<2> {
    using Doubles = double __attribute__((vector_size(16)));
    using Masks = std::int64_t __attribute__((vector_size(16)));  // what comparing Doubles gives
    using Ints = std::int32_t __attribute__((vector_size(8)));
};

template <>
struct VectorLanes<4> {
    using Doubles = double __attribute__((vector_size(32)));
    using Masks = std::int64_t __attribute__((vector_size(32)));
    using Ints = std::int32_t __attribute__((vector_size(16)));
};

// True when every lane of a comparison holds.
[[gnu::always_inline]] inline bool allLanes(const VectorLanes<2>::Masks& m) {
    return (m[0] & m[1]) != 0;
}
[[gnu::always_inline]] inline bool allLanes(const VectorLanes<4>::Masks& m) {
    const VectorLanes<2>::Masks halves =
        __builtin_shufflevector(m, m, 0, 1) & __builtin_shufflevector(m, m, 2, 3);
    return allLanes(halves);
}

// The lowest and the highest lane.
template <typename Doubles>
[[gnu::always_inline]] inline double lowestLane(const Doubles& v) {
    double low = v[0];
    for (unsigned k = 1; k < sizeof v / sizeof low; ++k)
        low = v[k] < low ? v[k] : low;
    return low;
}
template <typename Doubles>
[[gnu::always_inline]] inline double highestLane(const Doubles& v) {
    double high = v[0];
    for (unsigned k = 1; k < sizeof v / sizeof high; ++k)
        high = v[k] > high ? v[k] : high;
    return high;
}

// True when this processor runs four-lane code and the run has not asked for the plain code
// instead (AMBISCAN_SCALAR=1 in the environment: the tests run whole figures both ways).
inline bool processorHasFourLanes() {
    static const bool has = [] {
        const char* scalar = std::getenv("AMBISCAN_SCALAR");
        if (scalar != nullptr && std::string_view(scalar) == "1") {
            return false;
        }
#if defined(__x86_64__) || defined(__i386__)
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
#else
        return false;
#endif
    }();
    return has;
}

}  // namespace ambiscan
