#pragma once

#include <cstdint>
#include <string>

// Writing an RGB image to a PNG file safely: the file appears complete or not at all.
namespace ambiscan::render {

// Pixels as Cairo keeps them: rows of 32-bit native-endian 0xAARRGGBB words, stride bytes
// apart. The image is written opaque (RGB, 8 bits per channel).
struct PixelRows {
    const unsigned char* data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
};

// libdeflate's level for figures, every row stored with the "up" filter. Measured on a
// 1200 x 900 plot of three crowded marked lines and on the 33 figures of a 5-receiver,
// 10 000-record run (ms: one figure / all 33, one thread): zlib level 1 run-length "up" as
// before 7.4 / 250 for 108 kB / 4.50 MB; libdeflate "up" level 1 about twice as slow, level 2
// 5.7 / 206 for 87 kB / 3.74 MB, level 3 alike and 0.3 % smaller, level 4 no faster and 1 %
// smaller, 6 slower. On all 33: no filter 4.36 MB, "sub" 5.09 MB, the best of none/sub/up per
// row 3.66 MB for an extra pass.
inline constexpr int kPngCompressionLevel = 2;

// Writes the image to a temporary file in the target's folder and renames it into place.
// Throws RuntimeError naming the file and the system's reason on any failure, and leaves no
// temporary file behind.
void writePng(const PixelRows& pixels, const std::string& fileName);

// The two halves of writePng, so that images can be encoded side by side and still reach their
// files one at a time: the PNG file's bytes (throws RuntimeError when memory runs out), and
// writing such bytes as writePng writes.
std::string encodePng(const PixelRows& pixels);
void writePngBytes(const std::string& png, const std::string& fileName);

}  // namespace ambiscan::render
