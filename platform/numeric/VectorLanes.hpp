#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

// Doubles side by side in vector registers: two lanes, as every processor's vector unit (or the
// compiler's plain code) runs them, or four, as x86-64 processors with AVX2 have them. For the few
// loops that read every point of a line.
//
// Four-lane code is built only for x86-64 with GCC or Clang, and not in the portable build
// (AMBISCAN_PORTABLE, built as for any other processor): elsewhere there are no AVX2 attributes
// or processor checks at all, and everything runs on two lanes.
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(AMBISCAN_PORTABLE)
#define AMBISCAN_FOUR_LANES 1
// A function compiled also for AVX2, the copy the processor runs chosen as the program loads.
#define AMBISCAN_ALSO_FOR_AVX2 [[gnu::target_clones("avx2", "default")]]
#else
#define AMBISCAN_FOUR_LANES 0
#define AMBISCAN_ALSO_FOR_AVX2
#endif

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

// True when every lane of a comparison holds: four lanes folded into two first, which compilers
// turn into one instruction.
template <typename Masks>
[[gnu::always_inline]] inline bool allLanes(const Masks& m) {
    if constexpr (sizeof m == sizeof(VectorLanes<4>::Masks)) {
        const VectorLanes<2>::Masks halves =
            __builtin_shufflevector(m, m, 0, 1) & __builtin_shufflevector(m, m, 2, 3);
        return allLanes(halves);
    } else {
        return (m[0] & m[1]) != 0;
    }
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

// 4 when this processor runs four-lane code and the run has not asked for the plain code instead
// (AMBISCAN_SCALAR=1 in the environment: the tests run whole figures both ways), else 2.
inline int widestLanes() {
    static const int lanes = [] {
        const char* scalar = std::getenv("AMBISCAN_SCALAR");
        if (scalar != nullptr && std::string_view(scalar) == "1")
            return 2;
#if AMBISCAN_FOUR_LANES
        // Processors with AVX2 also have BMI2, whose shifts the loops around the lanes use.
        if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2"))
            return 4;
#endif
        return 2;
    }();
    return lanes;
}

// body.template operator()<kLanes>(), compiled for lanes of that width (four for AVX2 and BMI2),
// which the body and what it calls are only when inlined into it: a lambda marked
// AMBISCAN_INLINE_LANES, calling templates marked [[gnu::always_inline]].
#define AMBISCAN_INLINE_LANES __attribute__((always_inline))
template <typename Body>
[[gnu::noinline]] decltype(auto) onTwoLanes(Body& body) {
    return body.template operator()<2>();
}
#if AMBISCAN_FOUR_LANES
template <typename Body>
[[gnu::noinline, gnu::target("avx2,bmi2")]] decltype(auto) onFourLanes(Body& body) {
    return body.template operator()<4>();
}
#endif

// Runs the body on `lanes` lanes: 4 only where widestLanes() is 4; anything else runs on 2.
template <typename Body>
decltype(auto) withLanes(int lanes, Body&& body) {
#if AMBISCAN_FOUR_LANES
    if (lanes == 4)
        return onFourLanes(body);
#endif
    (void)lanes;
    return onTwoLanes(body);
}

}  // namespace ambiscan
