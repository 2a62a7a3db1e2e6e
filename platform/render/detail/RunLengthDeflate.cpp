#include "platform/render/detail/RunLengthDeflate.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace ambiscan::render {

namespace {

constexpr std::uint32_t kAdlerModulus = 65521;
constexpr int kMaxCodeBits = 15;
constexpr int kMaxCodeLengthBits = 7;
constexpr int kEndOfBlock = 256;

// Length symbols (257..285) with their extra bits for every run length 3..258.
struct LengthCode {
    std::uint16_t symbol = 0;
    std::uint8_t extraBits = 0;
    std::uint8_t extra = 0;
};
constexpr std::array<LengthCode, 259> kLengthCodes = [] {
    constexpr int base[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                              31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    constexpr int extraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                   2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    std::array<LengthCode, 259> codes{};
    for (int length = 3; length <= 258; ++length) {
        int i = 28;
        while (base[i] > length) {
            --i;
        }
        codes[static_cast<std::size_t>(length)] = {static_cast<std::uint16_t>(257 + i),
                                                   static_cast<std::uint8_t>(extraBits[i]),
                                                   static_cast<std::uint8_t>(length - base[i])};
    }
    return codes;
}();

// Canonical codes for the lengths, bit-reversed as deflate sends codes first bit first.
void canonicalCodes(const std::uint8_t* lengths, int symbols, std::uint16_t* codes) {
    int perLength[16] = {};
    for (int s = 0; s < symbols; ++s) {
        ++perLength[lengths[s]];
    }
    perLength[0] = 0;
    unsigned next[16] = {};
    unsigned code = 0;
    for (int bits = 1; bits < 16; ++bits) {
        code = (code + static_cast<unsigned>(perLength[bits - 1])) << 1;
        next[bits] = code;
    }
    for (int s = 0; s < symbols; ++s) {
        const int bits = lengths[s];
        unsigned value = bits != 0 ? next[bits]++ : 0;
        unsigned reversed = 0;
        for (int i = 0; i < bits; ++i, value >>= 1) {
            reversed = (reversed << 1) | (value & 1u);
        }
        codes[s] = static_cast<std::uint16_t>(reversed);
    }
}

void storeLittleEndian(char* out, std::uint64_t value) {
    if constexpr (std::endian::native == std::endian::big) {
        for (int i = 0; i < 8; ++i, value >>= 8) {
            out[i] = static_cast<char>(value & 0xffu);
        }
    } else {
        std::memcpy(out, &value, 8);
    }
}

}  // namespace

void huffmanCodeLengths(const std::uint32_t* frequencies, int symbols, int maxBits,
                        std::uint8_t* lengths) {
    struct Leaf {
        std::uint32_t frequency;
        int symbol;
    };
    std::array<Leaf, 286> leaves;
    int used = 0;
    for (int s = 0; s < symbols; ++s) {
        lengths[s] = 0;
        if (frequencies[s] != 0) {
            leaves[static_cast<std::size_t>(used++)] = {frequencies[s], s};
        }
    }
    if (used < 2) {
        const int only = used == 1 ? leaves[0].symbol : 0;
        lengths[only] = 1;
        lengths[only == 0 ? 1 : 0] = 1;
        return;
    }
    std::sort(leaves.begin(), leaves.begin() + used, [](const Leaf& a, const Leaf& b) {
        return a.frequency != b.frequency ? a.frequency < b.frequency : a.symbol < b.symbol;
    });

    // Nodes 0..used-1 are the leaves, then the joined nodes in the order made, which is also
    // the order of their weights, so the two lightest are always at the front of one list.
    std::array<std::uint32_t, 2 * 286> weight;
    std::array<int, 2 * 286> parent;
    for (int i = 0; i < used; ++i) {
        weight[static_cast<std::size_t>(i)] = leaves[static_cast<std::size_t>(i)].frequency;
    }
    int nextLeaf = 0, nextNode = used;
    const auto lightest = [&](int made) {
        if (nextLeaf < used && (nextNode == made || weight[static_cast<std::size_t>(nextLeaf)] <=
                                                        weight[static_cast<std::size_t>(nextNode)]))
            return nextLeaf++;
        return nextNode++;
    };
    const int root = 2 * used - 2;
    for (int made = used; made <= root; ++made) {
        const int a = lightest(made);
        const int b = lightest(made);
        weight[static_cast<std::size_t>(made)] =
            weight[static_cast<std::size_t>(a)] + weight[static_cast<std::size_t>(b)];
        parent[static_cast<std::size_t>(a)] = made;
        parent[static_cast<std::size_t>(b)] = made;
    }
    // Depths from the root down: a parent always comes after its children.
    std::array<int, 2 * 286> depth;
    depth[static_cast<std::size_t>(root)] = 0;
    std::array<int, 2 * 286> perLength{};
    for (int i = root - 1; i >= 0; --i) {
        const int d = depth[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])] + 1;
        depth[static_cast<std::size_t>(i)] = d;
        if (i < used) {
            ++perLength[static_cast<std::size_t>(std::min(d, maxBits))];
        }
    }
    // Codes cut to maxBits overfill the code space; each step frees one maxBits slot by moving
    // a code at maxBits under the longest shorter code, which becomes two codes one bit longer.
    std::uint32_t space = 0;
    for (int bits = 1; bits <= maxBits; ++bits) {
        space += static_cast<std::uint32_t>(perLength[static_cast<std::size_t>(bits)])
                 << (maxBits - bits);
    }
    for (; space > (1u << maxBits); --space) {
        --perLength[static_cast<std::size_t>(maxBits)];
        for (int bits = maxBits - 1; bits > 0; --bits) {
            if (perLength[static_cast<std::size_t>(bits)] != 0) {
                --perLength[static_cast<std::size_t>(bits)];
                perLength[static_cast<std::size_t>(bits + 1)] += 2;
                break;
            }
        }
    }
    // The rarest symbols take the longest codes.
    int leaf = 0;
    for (int bits = maxBits; bits > 0; --bits) {
        for (int n = perLength[static_cast<std::size_t>(bits)]; n > 0; --n) {
            lengths[leaves[static_cast<std::size_t>(leaf++)].symbol] =
                static_cast<std::uint8_t>(bits);
        }
    }
}

RunLengthDeflate::RunLengthDeflate() : tokens_(kBlockTokens) {
    out_.resize(64 * 1024);
    out_[0] = 0x78;  // deflate, 32 KiB window
    out_[1] = 0x01;  // fastest level; header check
    used_ = 2;
}

void RunLengthDeflate::repeat(unsigned char value, std::size_t count) {
    if (count == 0) {
        return;
    }
    if (value != last_) {
        flushRun();
        literal(value);
        pending_ += count - 1;
    } else {
        pending_ += count;
    }
    // The sums after count equal bytes: a + n v and b + n a + v n (n + 1) / 2.
    const std::uint64_t n = count % kAdlerModulus;
    const std::uint64_t triangle =
        count % 2 == 0 ? (count / 2 % kAdlerModulus) * ((count + 1) % kAdlerModulus)
                       : (count % kAdlerModulus) * ((count + 1) / 2 % kAdlerModulus);
    const std::uint64_t a = adlerA_, b = adlerB_;
    adlerB_ = static_cast<std::uint32_t>((b + n * a + value * (triangle % kAdlerModulus)) %
                                         kAdlerModulus);
    adlerA_ = static_cast<std::uint32_t>((a + n * value) % kAdlerModulus);
}

void RunLengthDeflate::repeatPixel(unsigned char red, unsigned char green, unsigned char blue,
                                   std::size_t count) {
    if (red == green && green == blue) {
        repeat(blue, 3 * count);
        return;
    }
    flushRun();
    // 258 is a whole number of pixels, so every piece is.
    for (std::size_t left = 3 * count; left > 0;) {
        const std::size_t length = std::min<std::size_t>(left, 258);
        left -= length;
        tokens_[count_++] = static_cast<std::uint16_t>(kPixelRun + length);
        ++frequencies_[kLengthCodes[length].symbol];
        ++matches_[1];
        if (count_ == kBlockTokens) {
            writeBlock(false);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        for (const unsigned char value : {red, green, blue}) {
            adlerA_ += value;
            adlerB_ += adlerA_;
        }
        if ((adlerCount_ += 3) >= kAdlerSpan - 3) {
            reduceAdler();
        }
    }
}

void RunLengthDeflate::bytes(const unsigned char* data, std::size_t size) {
    std::size_t at = 0;
    while (at < size) {
        const unsigned char value = data[at];
        std::size_t end = at + 1;
        const std::uint64_t pattern = 0x0101010101010101ull * value;
        for (; end + 8 <= size; end += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + end, 8);
            const std::uint64_t differ = word ^ pattern;
            if (differ != 0) {
                end += static_cast<std::size_t>(std::endian::native == std::endian::little
                                                    ? std::countr_zero(differ)
                                                    : std::countl_zero(differ)) /
                       8;
                break;
            }
        }
        if (end + 8 > size) {
            while (end < size && data[end] == value) {
                ++end;
            }
        }
        if (end - at == 1) {
            byte(value);
        } else {
            repeat(value, end - at);
        }
        at = end;
    }
}

void RunLengthDeflate::emitRun() {
    while (pending_ >= 3) {
        const std::size_t length = std::min<std::size_t>(pending_, 258);
        pending_ -= length;
        tokens_[count_++] = static_cast<std::uint16_t>(256 + length);
        ++frequencies_[kLengthCodes[length].symbol];
        ++matches_[0];
        if (count_ == kBlockTokens) {
            writeBlock(false);
        }
    }
    const auto value = static_cast<unsigned char>(last_);
    for (; pending_ > 0; --pending_) {
        literal(value);
    }
}

void RunLengthDeflate::reduceAdler() {
    adlerA_ %= kAdlerModulus;
    adlerB_ %= kAdlerModulus;
    adlerCount_ = 0;
}

void RunLengthDeflate::writeBlock(bool final) {
    // At most 48 bits a token, and a header of a few hundred bytes.
    const std::size_t need = used_ + count_ * 6 + 1024;
    if (out_.size() < need) {
        out_.resize(std::max(need, 2 * out_.size()));
    }
    char* out = out_.data() + used_;
    std::uint64_t bits = bits_;
    unsigned bitCount = bitCount_;
    const auto put = [&](std::uint64_t value, unsigned count) {
        bits |= value << bitCount;
        bitCount += count;
    };
    const auto flush = [&] {
        storeLittleEndian(out, bits);
        out += bitCount >> 3;
        bits >>= bitCount & ~7u;
        bitCount &= 7;
    };

    frequencies_[kEndOfBlock] = 1;
    std::uint8_t lengths[286 + 30];
    std::uint16_t literalCodes[286], distanceCodes[30];
    huffmanCodeLengths(frequencies_, 286, kMaxCodeBits, lengths);
    // Distance codes 0 and 2: distances 1 and 3.
    const std::uint32_t distanceFrequencies[3] = {matches_[0], 0, matches_[1]};
    huffmanCodeLengths(distanceFrequencies, 3, kMaxCodeBits, lengths + 286);
    int literalCount = 286;
    while (lengths[literalCount - 1] == 0) {
        --literalCount;
    }
    const int distanceCount = lengths[286 + 2] != 0 ? 3 : 2;
    std::memmove(lengths + literalCount, lengths + 286, distanceCount);
    canonicalCodes(lengths, literalCount, literalCodes);
    canonicalCodes(lengths + literalCount, distanceCount, distanceCodes);

    // The code lengths, runs of them shortened: 16 repeats the last 3..6 times, 17 and 18
    // give 3..10 and 11..138 zeros.
    const int total = literalCount + distanceCount;
    std::uint16_t steps[286 + 30];  // symbol | extra << 5
    int stepCount = 0;
    std::uint32_t stepFrequencies[19] = {};
    for (int i = 0; i < total;) {
        const std::uint8_t length = lengths[i];
        int run = 1;
        while (i + run < total && lengths[i + run] == length) {
            ++run;
        }
        i += run;
        const auto step = [&](int symbol, int extra) {
            steps[stepCount++] = static_cast<std::uint16_t>(symbol | extra << 5);
            ++stepFrequencies[symbol];
        };
        if (length == 0) {
            for (; run >= 11; run -= std::min(run, 138)) {
                step(18, std::min(run, 138) - 11);
            }
            if (run >= 3) {
                step(17, run - 3);
                run = 0;
            }
        } else {
            step(length, 0);
            --run;
            for (; run >= 3; run -= std::min(run, 6)) {
                step(16, std::min(run, 6) - 3);
            }
        }
        for (; run > 0; --run) {
            step(length, 0);
        }
    }
    std::uint8_t stepLengths[19];
    std::uint16_t stepCodes[19];
    huffmanCodeLengths(stepFrequencies, 19, kMaxCodeLengthBits, stepLengths);
    canonicalCodes(stepLengths, 19, stepCodes);
    constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    int orderCount = 19;
    while (orderCount > 4 && stepLengths[kOrder[orderCount - 1]] == 0) {
        --orderCount;
    }

    put(final ? 1 : 0, 1);
    put(2, 2);  // dynamic codes
    put(static_cast<unsigned>(literalCount - 257), 5);
    put(static_cast<unsigned>(distanceCount - 1), 5);
    put(static_cast<unsigned>(orderCount - 4), 4);
    flush();
    for (int i = 0; i < orderCount; ++i) {
        put(stepLengths[kOrder[i]], 3);
        flush();
    }
    constexpr unsigned kStepExtraBits[3] = {2, 3, 7};
    for (int i = 0; i < stepCount; ++i) {
        const int symbol = steps[i] & 31;
        put(stepCodes[symbol], stepLengths[symbol]);
        if (symbol >= 16) {
            put(static_cast<unsigned>(steps[i] >> 5), kStepExtraBits[symbol - 16]);
        }
        flush();
    }

    // A run is its length code, extra bits and the code of its distance, put at once.
    const std::uint64_t distanceCode[2] = {distanceCodes[0], distanceCodes[2]};
    const unsigned distanceBits[2] = {lengths[literalCount], lengths[literalCount + 2]};
    for (std::size_t i = 0; i < count_; ++i) {
        const unsigned token = tokens_[i];
        if (token < 256) {
            put(literalCodes[token], lengths[token]);
        } else {
            const unsigned far = token >= kPixelRun ? 1 : 0;
            const LengthCode& code = kLengthCodes[token - (far != 0 ? kPixelRun : 256)];
            const unsigned codeBits = lengths[code.symbol];
            put(literalCodes[code.symbol] | static_cast<std::uint64_t>(code.extra) << codeBits |
                    distanceCode[far] << (codeBits + code.extraBits),
                codeBits + code.extraBits + distanceBits[far]);
        }
        flush();
    }
    put(literalCodes[kEndOfBlock], lengths[kEndOfBlock]);
    flush();

    used_ = static_cast<std::size_t>(out - out_.data());
    bits_ = bits;
    bitCount_ = bitCount;
    count_ = 0;
    matches_[0] = matches_[1] = 0;
    std::fill(std::begin(frequencies_), std::end(frequencies_), 0u);
}

std::string RunLengthDeflate::finish() {
    flushRun();
    writeBlock(true);
    if (bitCount_ != 0) {
        out_[used_++] = static_cast<char>(bits_ & 0xffu);
    }
    reduceAdler();
    const std::uint32_t adler = adlerB_ << 16 | adlerA_;
    for (int shift = 24; shift >= 0; shift -= 8) {
        out_[used_++] = static_cast<char>((adler >> shift) & 0xffu);
    }
    out_.resize(used_);
    return std::move(out_);
}

}  // namespace ambiscan::render
