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

// Every row is stored with the "up" filter and compressed by one of two encoders:
enum class PngEncoder {
    // RunLengthDeflate (literals, runs of a byte and of a pixel, Huffman codes per block of 16 Ki
    // tokens), straight from the pixels without a filtered copy of the image: four times faster
    // than a general deflater on these figures for a fifth more bytes (bench/README.md, "PNG
    // encoding"). Plain C++, on every processor.
    RunLength,
    // zlib's deflater at its fastest level on a filtered copy: the plain fallback, which a build
    // made with AMBISCAN_ZLIB_PNG=ON or a run with AMBISCAN_PNG_ENCODER=zlib takes.
    Zlib,
};

// The one place the encoder is chosen.
PngEncoder chosenPngEncoder();

// Writes the image to a temporary file in the target's folder and renames it into place.
// Throws RuntimeError naming the file and the system's reason on any failure, and leaves no
// temporary file behind.
void writePng(const PixelRows& pixels, const std::string& fileName);

// The two halves of writePng, so that images can be encoded side by side and still reach their
// files one at a time: the PNG file's bytes (throws RuntimeError when memory runs out), and
// writing such bytes as writePng writes.
std::string encodePng(const PixelRows& pixels, PngEncoder encoder = chosenPngEncoder());
void writePngBytes(const std::string& png, const std::string& fileName);

}  // namespace ambiscan::render
