#pragma once

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Decodes a PNG file for the render tests: RGB pixels, or width 0 when it does not decode.
namespace ambiscan::render::testing {

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)) *
                    3];
    }
    bool white(int x, int y) const {
        const unsigned char* p = at(x, y);
        return p[0] == 255 && p[1] == 255 && p[2] == 255;
    }
    // Red clearly above green and blue.
    bool reddish(int x, int y) const {
        const unsigned char* p = at(x, y);
        return p[0] > 150 && p[1] < 120 && p[2] < 120;
    }
    bool dark(int x, int y) const {
        const unsigned char* p = at(x, y);
        return p[0] < 100 && p[1] < 100 && p[2] < 100;
    }
};

inline Image readPng(const std::string& fileName) {
    Image image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, fileName.c_str())) {
        return image;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> buffer(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, buffer.data(), 0, nullptr)) {
        png_image_free(&png);
        return image;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb = std::move(buffer);
    return image;
}

// The share of pixels whose channels all lie within `tolerance` of the other image's (same size).
inline double shareClose(const Image& a, const Image& b, int tolerance) {
    std::size_t close = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const unsigned char* p = a.at(x, y);
            const unsigned char* q = b.at(x, y);
            close += std::abs(p[0] - q[0]) <= tolerance && std::abs(p[1] - q[1]) <= tolerance &&
                     std::abs(p[2] - q[2]) <= tolerance;
        }
    }
    return static_cast<double>(close) / (static_cast<double>(a.width) * a.height);
}

}  // namespace ambiscan::render::testing
