#include "platform/render/PngFile.hpp"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/base/RuntimeError.hpp"
#include "platform/io/OutputFile.hpp"
#include "platform/render/detail/RunLengthDeflate.hpp"

namespace ambiscan::render {

namespace {

// Small enough for any reader's buffers, large enough that chunk headers cost nothing.
constexpr std::size_t kIdatChunkSize = 64 * 1024;

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr unsigned char kFilterUp = 2;

struct Failure {
    std::string reason;
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
    uLong crc = crc32(0, header + 4, 4);
    crc = crc32(crc, data, static_cast<uInt>(length));
    unsigned char trailer[4];
    putBigEndian(trailer, static_cast<std::uint32_t>(crc));
    png.append(reinterpret_cast<const char*>(header), sizeof header);
    png.append(reinterpret_cast<const char*>(data), length);
    png.append(reinterpret_cast<const char*>(trailer), sizeof trailer);
}

// Byte by byte a - b, modulo 256.
std::uint32_t bytesMinus(std::uint32_t a, std::uint32_t b) {
    constexpr std::uint32_t high = 0x80808080u;
    return ((a | high) - (b & ~high)) ^ ((a ^ ~b) & high);
}

constexpr std::uint32_t kColour = 0x00ffffffu;

// The first pixel at or after x whose colour differs from the one above, eight pixels a step
// while they agree.
std::size_t firstChange(const std::uint32_t* row, const std::uint32_t* above, std::size_t x,
                        std::size_t width) {
    constexpr std::uint64_t colours = 0x00ffffff00ffffffull;
    for (; x + 8 <= width; x += 8) {
        std::uint64_t w[4], a[4];
        std::memcpy(w, row + x, sizeof w);
        std::memcpy(a, above + x, sizeof a);
        if ((((w[0] ^ a[0]) | (w[1] ^ a[1]) | (w[2] ^ a[2]) | (w[3] ^ a[3])) & colours) != 0) {
            break;
        }
    }
    while (x < width && ((row[x] ^ above[x]) & kColour) == 0) {
        ++x;
    }
    return x;
}

void pixel(RunLengthDeflate& zlib, std::uint32_t rgb) {
    zlib.byte(static_cast<unsigned char>(rgb >> 16));
    zlib.byte(static_cast<unsigned char>(rgb >> 8));
    zlib.byte(static_cast<unsigned char>(rgb));
}

void repeatPixel(RunLengthDeflate& zlib, std::uint32_t rgb, std::size_t count) {
    zlib.repeatPixel(static_cast<unsigned char>(rgb >> 16), static_cast<unsigned char>(rgb >> 8),
                     static_cast<unsigned char>(rgb), count);
}

// The rows as PNG scanlines, a filter byte and RGB triples each, compressed as they are made.
// Every row is stored "up" (as bytes minus the bytes above), which turns the flat areas and
// repeated rows of a plot into runs of zeros; the first row has nothing above. Pixels that
// agree with the pixel above go in as runs without being looked at byte by byte.
std::string compressedRows(const PixelRows& pixels) {
    const auto width = static_cast<std::size_t>(pixels.width);
    RunLengthDeflate zlib;
    const std::uint32_t* above = nullptr;
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            pixels.data + static_cast<std::ptrdiff_t>(y) * pixels.stride);
        zlib.byte(kFilterUp);
        if (above == nullptr) {
            for (std::size_t x = 0; x < width; ++x) {
                pixel(zlib, row[x]);
            }
        } else {
            for (std::size_t x = 0; x < width;) {
                const std::size_t same = firstChange(row, above, x, width);
                zlib.repeat(0, 3 * (same - x));
                // Horizontal lines make runs of one filtered pixel.
                std::uint32_t last = 0;
                std::size_t repeats = 0;
                for (x = same; x < width && ((row[x] ^ above[x]) & kColour) != 0; ++x) {
                    const std::uint32_t rgb = bytesMinus(row[x], above[x]) & kColour;
                    if (rgb == last) {
                        ++repeats;
                        continue;
                    }
                    if (repeats != 0) {
                        repeatPixel(zlib, last, repeats);
                        repeats = 0;
                    }
                    pixel(zlib, rgb);
                    last = rgb;
                }
                if (repeats != 0) {
                    repeatPixel(zlib, last, repeats);
                }
            }
        }
        above = row;
    }
    return zlib.finish();
}

// The same stream from zlib: the rows filtered byte by byte (nothing above the first), then
// compressed in one call.
std::string zlibCompressedRows(const PixelRows& pixels) {
    const auto width = static_cast<std::size_t>(pixels.width);
    const std::size_t rowBytes = 1 + 3 * width;
    std::vector<unsigned char> rows(rowBytes * static_cast<std::size_t>(pixels.height));
    const std::uint32_t* above = nullptr;
    for (std::size_t y = 0; y < static_cast<std::size_t>(pixels.height); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            pixels.data + static_cast<std::ptrdiff_t>(y) * pixels.stride);
        unsigned char* out = rows.data() + y * rowBytes;
        *out++ = kFilterUp;
        for (std::size_t x = 0; x < width; ++x)
            for (const int shift : {16, 8, 0})
                *out++ = static_cast<unsigned char>((row[x] >> shift) -
                                                    (above != nullptr ? above[x] >> shift : 0));
        above = row;
    }
    uLongf size = compressBound(rows.size());
    std::string zlib(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(zlib.data()), &size, rows.data(), rows.size(),
                  Z_BEST_SPEED) != Z_OK) {
        throw Failure{"zlib could not compress the image"};
    }
    zlib.resize(size);
    return zlib;
}

// The whole PNG file; throws Failure, or std::bad_alloc / std::length_error for memory.
std::string encode(const PixelRows& pixels, PngEncoder encoder) {
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.data == nullptr) {
        throw Failure{"the image has no pixels"};
    }
    const std::string zlib =
        encoder == PngEncoder::Zlib ? zlibCompressedRows(pixels) : compressedRows(pixels);
    const std::size_t zlibSize = zlib.size();

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
        appendChunk(png, "IDAT", reinterpret_cast<const unsigned char*>(zlib.data()) + at,
                    std::min(kIdatChunkSize, zlibSize - at));
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

PngEncoder chosenPngEncoder() {
#ifdef AMBISCAN_ZLIB_PNG
    return PngEncoder::Zlib;
#else
    static const PngEncoder chosen = [] {
        const char* encoder = std::getenv("AMBISCAN_PNG_ENCODER");
        return encoder != nullptr && std::string_view(encoder) == "zlib" ? PngEncoder::Zlib
                                                                         : PngEncoder::RunLength;
    }();
    return chosen;
#endif
}

void writePng(const PixelRows& pixels, const std::string& fileName) {
    OutputFile out(fileName, "figure file \"" + fileName + "\"");
    std::string png;
    try {
        png = encode(pixels, chosenPngEncoder());
    } catch (const std::bad_alloc&) {
        out.fail("out of memory");
    } catch (const std::length_error&) {
        out.fail("the image is too large");
    } catch (const Failure& failure) {
        out.fail(failure.reason);
    }
    writeBytes(out, png);
}

std::string encodePng(const PixelRows& pixels, PngEncoder encoder) {
    try {
        return encode(pixels, encoder);
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
