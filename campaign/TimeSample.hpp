#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace ambiscan::campaign {

// The times to a correct fix of one receiver in one run, as its summary.json holds them: the
// distinct finite times in ascending order with their counts, and the attempts without a
// correct fix (T = +Inf, tied at the top).
struct TimeSample {
    std::vector<std::pair<double, std::size_t>> finite;
    std::size_t noCorrectFix = 0;

    std::size_t correct() const {
        std::size_t n = 0;
        for (const auto& [t, count] : finite) {
            n += count;
        }
        return n;
    }
    std::size_t size() const { return correct() + noCorrectFix; }
};

}  // namespace ambiscan::campaign
