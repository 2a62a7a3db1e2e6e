#pragma once

#include <cstddef>
#include <vector>

namespace ambiscan::campaign {

// The null distribution of a rank sum: all C(N, m) ways of taking m of N ranked values are
// equally likely. The values come in tie groups, each of `size` values sharing the doubled
// midrank `doubledRank` (an integer: twice the average of the group's ranks). `counts[s]` is the
// share of the ways whose doubled rank sum is s (dynamic programming over the groups; exact up
// to rounding of doubles).
struct TieGroup {
    std::size_t size;
    std::size_t doubledRank;
};
std::vector<double> rankSumDistribution(const std::vector<TieGroup>& groups, std::size_t m);

// Doubled midranks of groups of the given sizes in ascending order: ranks 1..N, ties averaged.
std::vector<TieGroup> tieGroups(const std::vector<std::size_t>& sizes);

}  // namespace ambiscan::campaign
