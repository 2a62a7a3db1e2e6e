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

// zlib level used for figures: plots are mostly flat colour, where level 1 compresses nearly
// as well as the default at a fraction of the time.
inline constexpr int kPngCompressionLevel = 1;

// Writes the image to a temporary file in the target's folder and renames it into place.
// Throws RuntimeError naming the file and the system's reason on any failure, and leaves no
// temporary file behind.
void writePng(const PixelRows& pixels, const std::string& fileName);

}  // namespace ambiscan::render
