#include "platform/render/detail/RunLengthDeflate.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace ambiscan::render {
namespace {

using Bytes = std::vector<unsigned char>;

// What zlib's inflater makes of the stream; it also checks the Adler-32 trailer.
Bytes inflated(const std::string& stream, std::size_t expectedSize) {
    Bytes out(expectedSize + 16);
    uLongf size = static_cast<uLongf>(out.size());
    const int status = uncompress(out.data(), &size, reinterpret_cast<const Bytef*>(stream.data()),
                                  static_cast<uLong>(stream.size()));
    EXPECT_EQ(status, Z_OK);
    out.resize(status == Z_OK ? size : 0);
    return out;
}

void expectRoundTrip(const Bytes& data) {
    RunLengthDeflate deflate;
    deflate.bytes(data.data(), data.size());
    EXPECT_EQ(inflated(deflate.finish(), data.size()), data);
}

TEST(RunLengthDeflate, EmptyInputAndSingleBytesInflateExactly) {
    expectRoundTrip({});
    expectRoundTrip({0});
    expectRoundTrip({0xa7});
    expectRoundTrip({5, 5});
}

TEST(RunLengthDeflate, RunsFarLongerThanAMatchCrossBlocksAndStayExact) {
    expectRoundTrip(Bytes(300000, 0));
    // About 78 000 matches: several blocks, the run carried from one block into the next.
    const std::size_t count = 20'000'000;
    RunLengthDeflate deflate;
    deflate.byte(9);
    deflate.repeat(0, count);
    deflate.repeat(0, 3);
    deflate.byte(0xff);
    const std::string stream = deflate.finish();
    EXPECT_LT(stream.size(), count / 100);
    Bytes expected(count + 5, 0);
    expected.front() = 9;
    expected.back() = 0xff;
    EXPECT_EQ(inflated(stream, expected.size()), expected);
}

TEST(RunLengthDeflate, RandomBytesWithAndWithoutRunsInflateExactly) {
    std::mt19937 random(11);
    Bytes noise(200000);
    for (auto& b : noise)
        b = static_cast<unsigned char>(random());
    expectRoundTrip(noise);

    // Runs of every length from 1 to 600, of bytes and of pixels, given by every way in.
    Bytes runs;
    RunLengthDeflate deflate;
    while (runs.size() < 400000) {
        const auto value = static_cast<unsigned char>(random() % 4 == 0 ? random() : 0);
        const std::size_t length = 1 + random() % 600;
        runs.insert(runs.end(), length, value);
        switch (random() % 4) {
            case 0:
                deflate.repeat(value, length);
                break;
            case 1:
                for (std::size_t i = 0; i < length; ++i)
                    deflate.byte(value);
                break;
            case 2:
                deflate.bytes(runs.data() + runs.size() - length, length);
                break;
            default: {
                // A pixel and length more copies of it; grey pixels are byte runs.
                const unsigned char red = value, green = random() % 2 ? value : 0;
                for (const unsigned char b : {red, green, value})
                    deflate.byte(b);
                deflate.repeatPixel(red, green, value, length);
                runs.resize(runs.size() - length);
                for (std::size_t i = 0; i <= length; ++i)
                    runs.insert(runs.end(), {red, green, value});
            }
        }
    }
    EXPECT_EQ(inflated(deflate.finish(), runs.size()), runs);
}

// Fibonacci counts, level after the 30th: an unlimited Huffman code would need up to 29 bits.
std::vector<std::uint32_t> fibonacci(std::size_t n) {
    std::vector<std::uint32_t> f{1, 1};
    while (f.size() < n)
        f.push_back(f.size() < 30 ? f[f.size() - 1] + f[f.size() - 2] : f.back());
    return f;
}

TEST(RunLengthDeflate, SkewedByteCountsNeedingLongCodesInflateExactly) {
    const auto counts = fibonacci(27);
    Bytes data;
    for (std::size_t s = 0; s < counts.size(); ++s)
        data.insert(data.end(), counts[s], static_cast<unsigned char>(s * 7));
    std::shuffle(data.begin(), data.end(), std::mt19937(5));
    expectRoundTrip(data);
}

TEST(HuffmanCodeLengths, StayWithinTheLimitFormACompleteCodeAndFollowTheCounts) {
    for (const auto& [symbols, maxBits] : {std::pair{19, 7}, std::pair{30, 15}, {286, 15}}) {
        auto counts = fibonacci(static_cast<std::size_t>(symbols));
        counts[3] = 0;  // unused symbols get no code
        std::vector<std::uint8_t> lengths(static_cast<std::size_t>(symbols));
        huffmanCodeLengths(counts.data(), symbols, maxBits, lengths.data());
        std::uint64_t space = 0;
        for (int s = 0; s < symbols; ++s) {
            EXPECT_LE(lengths[s], maxBits);
            EXPECT_EQ(lengths[s] == 0, counts[s] == 0);
            if (lengths[s] != 0)
                space += std::uint64_t{1} << (maxBits - lengths[s]);
            if (s > 4) {
                EXPECT_LE(lengths[s], lengths[s - 1]);
            }
        }
        EXPECT_EQ(space, std::uint64_t{1} << maxBits);
    }
    // One used symbol, or none, still gives a two-code set.
    const std::uint32_t one[4] = {0, 0, 5, 0};
    std::uint8_t lengths[4];
    huffmanCodeLengths(one, 4, 15, lengths);
    EXPECT_EQ(lengths[2], 1);
    EXPECT_EQ(lengths[0] + lengths[1] + lengths[3], 1);
}

}  // namespace
}  // namespace ambiscan::render
