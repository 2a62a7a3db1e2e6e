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

// The libpng part, kept free of objects with destructors because libpng leaves by longjmp.
// Returns an empty text on success, else the reason.
std::string encode(std::FILE* file, const PixelRows& pixels, std::vector<unsigned char>& row) {
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
    png_init_io(png, file);
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

std::string folderOf(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

[[noreturn]] void fail(const std::string& fileName, const std::string& reason) {
    throw RuntimeError("Cannot write figure file \"" + fileName + "\": " + reason);
}

}  // namespace

void writePng(const PixelRows& pixels, const std::string& fileName) {
    if (fileName.empty()) {
        fail(fileName, "the file name is empty");
    }
    std::string temp = folderOf(fileName) + ".ambiscan-png-XXXXXX";
    std::vector<char> pattern(temp.begin(), temp.end());
    pattern.push_back('\0');
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        fail(fileName, std::strerror(errno));
    }
    temp = pattern.data();
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        const int err = errno;
        ::close(fd);
        std::remove(temp.c_str());
        fail(fileName, std::strerror(err));
    }
    std::vector<unsigned char> row(static_cast<std::size_t>(pixels.width) * 3);
    errno = 0;
    std::string reason = encode(file, pixels, row);
    if (reason.empty() && std::fflush(file) != 0) {
        reason = std::strerror(errno);
    }
    if (reason.empty() && std::ferror(file)) {
        reason = errno != 0 ? std::strerror(errno) : "write error";
    } else if (!reason.empty() && errno != 0) {
        reason = std::strerror(errno);  // the system's reason is clearer than libpng's
    }
    if (std::fclose(file) != 0 && reason.empty()) {
        reason = std::strerror(errno);
    }
    // mkstemp makes the file readable by its owner only; give it the usual permissions.
    if (reason.empty()) {
        const mode_t mask = umask(0);
        umask(mask);
        if (chmod(temp.c_str(), 0666 & ~mask) != 0)
            reason = std::strerror(errno);
    }
    if (reason.empty() && std::rename(temp.c_str(), fileName.c_str()) != 0) {
        reason = std::strerror(errno);
    }
    if (!reason.empty()) {
        std::remove(temp.c_str());
        fail(fileName, reason);
    }
}

}  // namespace ambiscan::render
