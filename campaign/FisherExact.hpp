#pragma once

#include <cstddef>

namespace ambiscan::campaign {

// Fisher's exact test of the 2 x 2 table [a, b; c, d] (rows two independent samples, columns
// success and failure), two-sided: the sum of the probabilities, given the margins, of every
// table no more likely than the observed one (within a relative 1e-7, so that tables equal in
// exact arithmetic count as equal). 1 when a margin is 0.
double fisherExactP(std::size_t a, std::size_t b, std::size_t c, std::size_t d);

}  // namespace ambiscan::campaign
