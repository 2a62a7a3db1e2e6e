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

// Every row is stored with the "up" filter and compressed by RunLengthDeflate (literals, runs
// of a byte and of a pixel, Huffman codes per block of 16 Ki tokens), straight from the pixels
// without a filtered copy of the image. Measured against libdeflate level 2 on a filtered copy,
// one thread: the 33 figures of a 5-receiver, 10 000-record run (sums of per-figure best times)
// 248 -> 61 ms (4x) for 4.29 -> 5.11 MB, a nearly empty figure 5.1 -> 0.6 ms, the densest
// 15.5 -> 7.5 ms; BM_EncodePng 6.4 -> 1.9 ms CPU for 87 -> 108 kB. Byte runs alone in blocks
// of 32 Ki tokens gave 5.18 MB, 16 Ki 5.16 MB. Earlier, on the same run's figures then (3.74 MB
// at level 2): zlib level 1 run-length 4.50 MB, levels 3-4 under 1 % smaller; no filter
// 4.36 MB, "sub" 5.09 MB, the best of none/sub/up per row 3.66 MB.

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
