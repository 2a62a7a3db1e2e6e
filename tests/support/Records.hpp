#pragma once

#include <vector>

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::testing {

// The records' matrix from rows of 1 + 4N numbers.
inline Matrix records(const std::vector<std::vector<double>>& rows) {
    Matrix m(rows.size(), rows.front().size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            m(r, c) = rows[r][c];
        }
    }
    return m;
}

// Two receivers over 20 minutes crossing GPS midnight. RxA has two bad fixes (rows 2 and 3),
// RxB none; one RxB attempt took 600 s.
inline Matrix twoReceivers() {
    return records({
        {86000, 11, 20, 0.01, 0.02, 0.04, 0, 0.01, 0},
        {86300, 14, 600, 0.15, 0, 0, 0, 0.01, 0},
        {200, 8, 30, 0, 0, 0.25, 0, 0.01, 0},
        {800, 9, 26, 0.03, 0.02, -0.02, 0, 0.01, 0},
    });
}

}  // namespace ambiscan::testing
