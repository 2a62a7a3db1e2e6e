#include "platform/render/PngFile.hpp"

#include <libdeflate.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>

#include "platform/io/OutputFile.hpp"
#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::render {

namespace {

// Small enough for any reader's buffers, large enough that chunk headers cost nothing.
constexpr std::size_t kIdatChunkSize = 64 * 1024;

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr unsigned char kFilterUp = 2;

struct Failure {
    std::string reason;
};

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void putBigEndian(unsigned char* out, std::uint32_t value) {
    out[0] = static_cast<unsigned char>(value >> 24);
    out[1] = static_cast<unsigned char>(value >> 16);
    out[2] = static_cast<unsigned char>(value >> 8);
    out[3] = static_cast<unsigned char>(value);
}

// Appends a chunk: length, type, data, and the CRC of type and data.
void appendChunk(std::string& png, const char (&type)[5], const unsigned char* data,
                 std::size_t length) {
    unsigned char header[8];
    putBigEndian(header, static_cast<std::uint32_t>(length));
    std::memcpy(header + 4, type, 4);
    std::uint32_t crc = libdeflate_crc32(0, header + 4, 4);
    crc = libdeflate_crc32(crc, data, length);
    unsigned char trailer[4];
    putBigEndian(trailer, crc);
    png.append(reinterpret_cast<const char*>(header), sizeof header);
    png.append(reinterpret_cast<const char*>(data), length);
    png.append(reinterpret_cast<const char*>(trailer), sizeof trailer);
}

// Byte by byte a - b, modulo 256.
std::uint32_t bytesMinus(std::uint32_t a, std::uint32_t b) {
    constexpr std::uint32_t high = 0x80808080u;
    return ((a | high) - (b & ~high)) ^ ((a ^ ~b) & high);
}

// The rows as PNG scanlines, each a filter byte and RGB triples, with one spare byte at the
// end. Every row is stored "up" (as bytes minus the bytes above), which turns the flat areas
// and repeated rows of a plot into runs of zeros; the first row has nothing above.
std::unique_ptr<unsigned char[]> filteredRows(const PixelRows& pixels, std::size_t size) {
    const auto width = static_cast<std::size_t>(pixels.width);
    const std::size_t rowBytes = 1 + 3 * width;
    auto out = std::make_unique_for_overwrite<unsigned char[]>(size + 1);
    const std::uint32_t* above = nullptr;
    for (int y = 0; y < pixels.height; ++y) {
        const auto* words = reinterpret_cast<const std::uint32_t*>(
            pixels.data + static_cast<std::ptrdiff_t>(y) * pixels.stride);
        unsigned char* row = out.get() + rowBytes * static_cast<std::size_t>(y);
        if (above != nullptr && std::memcmp(words, above, 4 * width) == 0) {
            std::memset(row + 1, 0, 3 * width);
        } else {
            // Four bytes stored per pixel, the fourth overwritten by the next pixel, or by
            // the next row's filter byte, or landing in the spare byte.
            unsigned char* rgb = row + 1;
            for (std::size_t x = 0; x < width; ++x, rgb += 3) {
                const std::uint32_t d = bytesMinus(words[x], above != nullptr ? above[x] : 0);
                const std::uint32_t bytes =
                    std::endian::native == std::endian::little
                        ? ((d >> 16) & 0xffu) | (d & 0xff00u) | ((d & 0xffu) << 16)
                        : d << 8;
                std::memcpy(rgb, &bytes, 4);
            }
        }
        row[0] = kFilterUp;
        above = words;
    }
    return out;
}

// The whole PNG file; throws Failure, or std::bad_alloc / std::length_error for memory.
std::string encode(const PixelRows& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.data == nullptr) {
        throw Failure{"the image has no pixels"};
    }
    const std::size_t rowsSize =
        (1 + 3 * static_cast<std::size_t>(pixels.width)) * static_cast<std::size_t>(pixels.height);
    const std::unique_ptr<unsigned char[]> rows = filteredRows(pixels, rowsSize);

    // One per call: figures are encoded on several threads at once.
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(kPngCompressionLevel));
    if (compressor == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rowsSize);
    const auto zlib = std::make_unique_for_overwrite<unsigned char[]>(bound);
    const std::size_t zlibSize =
        libdeflate_zlib_compress(compressor.get(), rows.get(), rowsSize, zlib.get(), bound);
    if (zlibSize == 0) {
        throw Failure{"the compressed image does not fit its buffer"};
    }

    const std::size_t chunks = (zlibSize + kIdatChunkSize - 1) / kIdatChunkSize;
    std::string png;
    png.reserve(sizeof kSignature + 25 + zlibSize + 12 * chunks + 12);
    png.append(reinterpret_cast<const char*>(kSignature), sizeof kSignature);

    unsigned char header[13];
    putBigEndian(header, static_cast<std::uint32_t>(pixels.width));
    putBigEndian(header + 4, static_cast<std::uint32_t>(pixels.height));
    header[8] = 8;   // bits per channel
    header[9] = 2;   // RGB
    header[10] = 0;  // deflate
    header[11] = 0;  // adaptive filtering, one filter byte per row
    header[12] = 0;  // not interlaced
    appendChunk(png, "IHDR", header, sizeof header);
    for (std::size_t at = 0; at < zlibSize; at += kIdatChunkSize) {
        appendChunk(png, "IDAT", zlib.get() + at, std::min(kIdatChunkSize, zlibSize - at));
    }
    const unsigned char nothing[1] = {0};
    appendChunk(png, "IEND", nothing, 0);
    return png;
}

void writeBytes(OutputFile& out, const std::string& png) {
    errno = 0;
    if (std::fwrite(png.data(), 1, png.size(), out.stream()) != png.size()) {
        // The reason to give when writing fails and the system gives none.
        out.fail(errno != 0 ? std::strerror(errno) : "Write Error");
    }
    out.commit();
}

}  // namespace

void writePng(const PixelRows& pixels, const std::string& fileName) {
    OutputFile out(fileName, "figure file \"" + fileName + "\"");
    std::string png;
    try {
        png = encode(pixels);
    } catch (const std::bad_alloc&) {
        out.fail("out of memory");
    } catch (const std::length_error&) {
        out.fail("the image is too large");
    } catch (const Failure& failure) {
        out.fail(failure.reason);
    }
    writeBytes(out, png);
}

std::string encodePng(const PixelRows& pixels) {
    try {
        return encode(pixels);
    } catch (const std::bad_alloc&) {
        throw RuntimeError("PNG encoding failed: out of memory");
    } catch (const std::length_error&) {
        throw RuntimeError("PNG encoding failed: the image is too large");
    } catch (const Failure& failure) {
        throw RuntimeError("PNG encoding failed: " + failure.reason);
    }
}

void writePngBytes(const std::string& png, const std::string& fileName) {
    OutputFile out(fileName, "figure file \"" + fileName + "\"");
    writeBytes(out, png);
}

}  // namespace ambiscan::render
