#include "platform/render/PngFile.hpp"

#include <isa-l/igzip_lib.h>
#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/base/RuntimeError.hpp"
#include "platform/io/OutputFile.hpp"

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
// Rows filtered at a time before they are handed to the compressor.
constexpr int kRowsPerBatch = 64;

// One PNG scanline: the filter byte, then RGB triples "up" (bytes minus the bytes above, which
// turns the flat areas and repeated rows of a plot into runs of zeros); the first row has
// nothing above, so its bytes stand as they are.
unsigned char* filterRow(const std::uint32_t* row, const std::uint32_t* above, std::size_t width,
                         unsigned char* out) {
    *out++ = kFilterUp;
    const auto put = [](unsigned char* at, std::uint32_t rgb) {
        at[0] = static_cast<unsigned char>(rgb >> 16);
        at[1] = static_cast<unsigned char>(rgb >> 8);
        at[2] = static_cast<unsigned char>(rgb);
    };
    if (above == nullptr) {
        for (std::size_t x = 0; x < width; ++x) {
            put(out + 3 * x, row[x]);
        }
    } else {
        for (std::size_t x = 0; x < width; ++x) {
            put(out + 3 * x, bytesMinus(row[x], above[x]));
        }
    }
    return out + 3 * width;
}

// The rows as a zlib stream, compressed by ISA-L's fastest level as they are filtered, a few
// rows at a time (no filtered copy of the whole image).
std::string compressedRows(const PixelRows& pixels) {
    const auto width = static_cast<std::size_t>(pixels.width);
    const std::size_t rowBytes = 1 + 3 * width;
    auto stream = std::make_unique<isal_zstream>();
    isal_deflate_init(stream.get());
    std::vector<std::uint8_t> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
    stream->level = 1;
    stream->level_buf = levelBuffer.data();
    stream->level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
    stream->gzip_flag = IGZIP_ZLIB;
    stream->flush = NO_FLUSH;

    std::vector<unsigned char> batch(rowBytes * kRowsPerBatch);
    // Plots compress to a tenth or less; the room grows when they do not.
    std::string zlib(rowBytes * static_cast<std::size_t>(pixels.height) / 8 + 1024, '\0');
    std::size_t written = 0;
    const std::uint32_t* above = nullptr;
    for (int y = 0; y < pixels.height;) {
        unsigned char* end = batch.data();
        for (int k = 0; k < kRowsPerBatch && y < pixels.height; ++k, ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                pixels.data + static_cast<std::ptrdiff_t>(y) * pixels.stride);
            end = filterRow(row, above, width, end);
            above = row;
        }
        stream->next_in = batch.data();
        stream->avail_in = static_cast<std::uint32_t>(end - batch.data());
        stream->end_of_stream = y == pixels.height ? 1 : 0;
        do {
            if (written == zlib.size()) {
                zlib.resize(zlib.size() * 2);
            }
            stream->next_out = reinterpret_cast<std::uint8_t*>(zlib.data()) + written;
            stream->avail_out = static_cast<std::uint32_t>(
                std::min<std::size_t>(zlib.size() - written, UINT32_MAX));
            const std::uint32_t room = stream->avail_out;
            if (isal_deflate(stream.get()) != COMP_OK) {
                throw Failure{"the compressor failed"};
            }
            written += room - stream->avail_out;
        } while (stream->avail_in != 0 ||
                 (stream->end_of_stream != 0 && stream->internal_state.state != ZSTATE_END));
    }
    zlib.resize(written);
    return zlib;
}

// The whole PNG file; throws Failure, or std::bad_alloc / std::length_error for memory.
std::string encode(const PixelRows& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.data == nullptr) {
        throw Failure{"the image has no pixels"};
    }
    const std::string zlib = compressedRows(pixels);
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
