#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A zlib stream made only of literal bytes, runs of one repeated byte (matches at distance
// 1) and runs of one repeated pixel (distance 3), each block with Huffman codes fitted to its own
// tokens. Up-filtered plot images are mostly such runs, and finding nothing else keeps encoding far
// cheaper than a general compressor for files about a fifth larger.
namespace ambiscan::render {

// Code lengths for symbols 0..symbols-1 (at most 286), none above maxBits and forming a complete
// code: a Huffman code, with lengths over the limit cut down and shorter codes lengthened until
// the code is complete again. Unused symbols get 0; at least two symbols get a code, as some
// decoders refuse a code of one.
void huffmanCodeLengths(const std::uint32_t* frequencies, int symbols, int maxBits,
                        std::uint8_t* lengths);

class RunLengthDeflate {
  public:
    RunLengthDeflate();

    // Appends one byte, or count copies of one byte, to the uncompressed data.
    void byte(unsigned char value) {
        if (value == last_) {
            ++pending_;
        } else {
            flushRun();
            literal(value);
        }
        adlerA_ += value;
        adlerB_ += adlerA_;
        if (++adlerCount_ == kAdlerSpan) {
            reduceAdler();
        }
    }
    void repeat(unsigned char value, std::size_t count);
    // Appends count more copies of the last three bytes, which must be red, green and blue.
    void repeatPixel(unsigned char red, unsigned char green, unsigned char blue, std::size_t count);
    // Appends bytes, finding their runs eight bytes at a time.
    void bytes(const unsigned char* data, std::size_t size);

    // The whole zlib stream; the encoder is spent afterwards.
    std::string finish();

  private:
    // Tokens per block: the codes follow the image, and headers stay a small share.
    static constexpr std::size_t kBlockTokens = 16 * 1024;
    // Bytes the Adler-32 sums take without overflowing 32 bits.
    static constexpr unsigned kAdlerSpan = 5552;

    void literal(unsigned char value) {
        tokens_[count_++] = value;
        ++frequencies_[value];
        last_ = value;
        if (count_ == kBlockTokens) {
            writeBlock(false);
        }
    }
    void flushRun() {
        if (pending_ != 0) {
            emitRun();
        }
    }
    void emitRun();
    void reduceAdler();
    void writeBlock(bool final);

    // Literal bytes are their value, runs 256 + their length (3..258), runs of a pixel
    // kPixelRun + their length.
    static constexpr unsigned kPixelRun = 768;
    std::vector<std::uint16_t> tokens_;
    std::size_t count_ = 0;
    std::uint32_t frequencies_[286] = {};
    // Runs at distance 1 and 3 in this block.
    std::uint32_t matches_[2] = {};
    // The last byte taken (none yet: -1) and how many more copies of it wait to be coded.
    int last_ = -1;
    std::size_t pending_ = 0;
    std::uint32_t adlerA_ = 1, adlerB_ = 0;
    unsigned adlerCount_ = 0;
    // The stream so far: out_ holds used_ bytes, then bitCount_ bits in bits_.
    std::string out_;
    std::size_t used_ = 0;
    std::uint64_t bits_ = 0;
    unsigned bitCount_ = 0;
};

}  // namespace ambiscan::render
