#include "evidence/ValueCount.hpp"

#include "evidence/OrderKey.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace ambiscan::evidence {

namespace {

// Below this many keys std::sort is as fast as the radix passes.
constexpr std::size_t kRadixFrom = 16384;
constexpr unsigned kDigitBits = 11;  // 2 048 buckets: the counts stay in the first-level cache
constexpr unsigned kDigits = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;

// Least significant digit first, each pass a stable scatter by one digit; a digit that is the
// same in every key (the exponent bits of differences of similar size) is skipped. On a
// million differences per pair of receivers this is about four times std::sort.
void radixSort(std::vector<std::uint64_t>& keys) {
    std::vector<std::array<std::size_t, kBuckets>> counts(kDigits);
    for (auto& c : counts) {
        c.fill(0);
    }
    for (const std::uint64_t key : keys) {
        for (unsigned d = 0; d < kDigits; ++d) {
            ++counts[d][(key >> (d * kDigitBits)) & (kBuckets - 1)];
        }
    }
    std::vector<std::uint64_t> other(keys.size());
    for (unsigned d = 0; d < kDigits; ++d) {
        auto& c = counts[d];
        const std::uint64_t any = (keys.front() >> (d * kDigitBits)) & (kBuckets - 1);
        if (c[any] == keys.size()) {
            continue;
        }
        std::size_t start = 0;
        for (std::size_t& n : c) {
            start += std::exchange(n, start);
        }
        for (const std::uint64_t key : keys) {
            other[c[(key >> (d * kDigitBits)) & (kBuckets - 1)]++] = key;
        }
        keys.swap(other);
    }
}

}  // namespace

std::vector<ValueCount> distinctValues(const std::vector<double>& values) {
    std::vector<std::uint64_t> keys(values.size());
    std::transform(values.begin(), values.end(), keys.begin(), orderKey);
    if (keys.size() < kRadixFrom) {
        std::sort(keys.begin(), keys.end());
    } else {
        radixSort(keys);
    }
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
