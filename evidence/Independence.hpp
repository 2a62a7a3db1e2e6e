#pragma once

#include <cstddef>
#include <vector>

namespace ambiscan::evidence {

// Whether good and bad fixes follow each other as independent attempts would: the
// Wald-Wolfowitz runs test of the good/bad sequence in row order (R runs of n1 good and n2 bad,
// mean 2 n1 n2 / n + 1, variance 2 n1 n2 (2 n1 n2 - n) / (n^2 (n - 1)), two-sided normal p,
// 1 when the variance is 0) and the lag-1 autocorrelation of the bad indicator about its mean
// (NaN when all attempts are alike).
struct Independence {
    std::size_t runs = 0, good = 0, bad = 0;
    double expectedRuns = 0;
    double runsTestP = 1;
    double lag1Autocorrelation = 0;
};
Independence independence(const std::vector<bool>& good);

}  // namespace ambiscan::evidence
