#include "evidence/RankSelection.hpp"

#include <algorithm>
#include <cstdint>

#include "evidence/OrderKey.hpp"

namespace ambiscan::evidence {

namespace {

constexpr unsigned kBinShift = 48;  // the leading 16 bits of a key: sign, exponent, 4 more
constexpr std::size_t kBins = std::size_t{1} << (64 - kBinShift);

// Where a rank falls: its bin, and its rank among the values of that bin (1-based).
struct RankInBin {
    std::size_t bin;
    std::size_t rank;
};

}  // namespace

void valuesAtRanksByHistogram(const std::vector<double>& values, const std::size_t* ranks,
                              std::size_t count, double* out) {
    std::vector<std::uint32_t> counts(kBins, 0);
    for (const double v : values) {
        ++counts[orderKey(v) >> kBinShift];
    }
    std::vector<RankInBin> where(count);
    std::size_t below = 0;  // values in the bins before `bin`
    std::size_t bin = 0;
    for (std::size_t k = 0; k < count; ++k) {
        while (below + counts[bin] < ranks[k]) {
            below += counts[bin++];
        }
        where[k] = {bin, ranks[k] - below};
    }
    // The values of each bin a rank falls in, gathered in one more pass.
    std::vector<std::uint8_t> slotOf(kBins, 0);  // 0: not wanted; else slot + 1
    std::vector<std::vector<double>> gathered;
    for (const RankInBin& w : where) {
        if (slotOf[w.bin] == 0) {
            gathered.emplace_back().reserve(counts[w.bin]);
            slotOf[w.bin] = static_cast<std::uint8_t>(gathered.size());
        }
    }
    for (const double v : values) {
        if (const std::uint8_t slot = slotOf[orderKey(v) >> kBinShift]; slot != 0) {
            gathered[slot - 1u].push_back(v);
        }
    }
    for (std::size_t k = 0; k < count; ++k) {
        std::vector<double>& inBin = gathered[slotOf[where[k].bin] - 1u];
        const auto at = inBin.begin() + static_cast<std::ptrdiff_t>(where[k].rank - 1);
        std::nth_element(inBin.begin(), at, inBin.end());
        out[k] = *at;
    }
}

}  // namespace ambiscan::evidence
