#include "platform/render/PngFile.hpp"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/io/OutputFile.hpp"
#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::render {

namespace {

struct PngError {
    char message[256] = "";
};

void onPngError(png_structp png, png_const_charp message) {
    auto* error = static_cast<PngError*>(png_get_error_ptr(png));
    std::snprintf(error->message, sizeof error->message, "%s", message);
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    try {
        out->append(reinterpret_cast<const char*>(data), length);
    } catch (...) {
        png_error(png, "out of memory");
    }
}

void flushNothing(png_structp) {}

// The libpng part, kept free of objects with destructors because libpng leaves by longjmp.
// Writes to the file, or appends to the bytes when there is no file. Returns an empty text on
// success, else the reason.
std::string encode(std::FILE* file, std::string* bytes, const PixelRows& pixels,
                   std::vector<unsigned char>& row) {
    PngError error;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, onPngError, onPngWarning);
    if (png == nullptr) {
        return "out of memory";
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return error.message[0] != '\0' ? error.message : "PNG encoding failed";
    }
    if (file != nullptr) {
        png_init_io(png, file);
    } else {
        png_set_write_fn(png, bytes, appendBytes, flushNothing);
    }
    png_set_compression_level(png, kPngCompressionLevel);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width),
                 static_cast<png_uint_32>(pixels.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height; ++y) {
        const auto* words = reinterpret_cast<const std::uint32_t*>(pixels.data + y * pixels.stride);
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t w = words[x];
            row[static_cast<std::size_t>(3 * x)] = static_cast<unsigned char>(w >> 16);
            row[static_cast<std::size_t>(3 * x + 1)] = static_cast<unsigned char>(w >> 8);
            row[static_cast<std::size_t>(3 * x + 2)] = static_cast<unsigned char>(w);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return {};
}

}  // namespace

void writePng(const PixelRows& pixels, const std::string& fileName) {
    OutputFile out(fileName, "figure file \"" + fileName + "\"");
    std::vector<unsigned char> row(static_cast<std::size_t>(pixels.width) * 3);
    errno = 0;
    std::string reason = encode(out.stream(), nullptr, pixels, row);
    if (!reason.empty()) {
        out.fail(errno != 0 ? std::strerror(errno) : reason);  // the system's reason is clearer
    }
    out.commit();
}

std::string encodePng(const PixelRows& pixels) {
    std::vector<unsigned char> row(static_cast<std::size_t>(pixels.width) * 3);
    std::string bytes;
    bytes.reserve(256 * 1024);
    const std::string reason = encode(nullptr, &bytes, pixels, row);
    if (!reason.empty()) {
        throw RuntimeError("PNG encoding failed: " + reason);
    }
    return bytes;
}

void writePngBytes(const std::string& png, const std::string& fileName) {
    OutputFile out(fileName, "figure file \"" + fileName + "\"");
    errno = 0;
    if (std::fwrite(png.data(), 1, png.size(), out.stream()) != png.size()) {
        // The reason the encoder gives when it cannot write, where the system gives none.
        out.fail(errno != 0 ? std::strerror(errno) : "Write Error");
    }
    out.commit();
}

}  // namespace ambiscan::render
