#include "platform/render/PngFile.hpp"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::render {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

Decoded decode(const std::string& png) {
    Decoded out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size()))
        return out;
    image.format = PNG_FORMAT_RGB;
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    out.ok = png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    return out;
}

// Cairo-style pixels: the top byte of each word is not part of the colour.
struct Pixels {
    int width, height, stride;
    std::vector<std::uint32_t> words;
    Pixels(int w, int h, int strideWords)
        : width(w),
          height(h),
          stride(strideWords * 4),
          words(static_cast<std::size_t>(strideWords * h), 0xabababab) {}
    std::uint32_t& at(int x, int y) { return words[static_cast<std::size_t>(y * stride / 4 + x)]; }
    PixelRows rows() const {
        return {reinterpret_cast<const unsigned char*>(words.data()), width, height, stride};
    }
    std::vector<unsigned char> rgb() {
        std::vector<unsigned char> out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int shift : {16, 8, 0})
                    out.push_back(static_cast<unsigned char>(at(x, y) >> shift));
        return out;
    }
};

// By both encoders, each checked against the pixels themselves.
void expectRoundTrip(Pixels& pixels) {
    for (const PngEncoder encoder : {PngEncoder::RunLength, PngEncoder::Zlib}) {
        SCOPED_TRACE(encoder == PngEncoder::Zlib ? "zlib" : "run-length");
        const Decoded decoded = decode(encodePng(pixels.rows(), encoder));
        ASSERT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.width, pixels.width);
        EXPECT_EQ(decoded.height, pixels.height);
        EXPECT_EQ(decoded.rgb, pixels.rgb());
    }
}

TEST(PngEncoding, WhiteImageDecodesExactlyAndADamagedChecksumIsRefused) {
    Pixels white(120, 90, 120);
    for (auto& w : white.words)
        w = 0x00ffffffu;
    expectRoundTrip(white);
    std::string png = encodePng(white.rows());
    png[8 + 8 + 13] ^= 1;  // the IHDR chunk's CRC
    EXPECT_FALSE(decode(png).ok);
}

TEST(PngEncoding, NoiseDecodesExactlyAcrossSeveralDataChunks) {
    Pixels noise(260, 170, 260);
    std::mt19937 random(7);
    for (auto& w : noise.words)
        w = static_cast<std::uint32_t>(random());
    const std::string png = encodePng(noise.rows());
    std::size_t chunks = 0;
    for (auto at = png.find("IDAT"); at != std::string::npos; at = png.find("IDAT", at + 1))
        ++chunks;
    EXPECT_GE(chunks, 2u);
    expectRoundTrip(noise);
}

TEST(PngEncoding, OddWidthWithPaddedRowsAndASinglePixelDecodeExactly) {
    Pixels odd(7, 5, 11);  // the words past the width are padding and are not encoded
    std::mt19937 random(3);
    for (int y = 0; y < odd.height; ++y)
        for (int x = 0; x < odd.width; ++x)
            odd.at(x, y) = y == 2 ? odd.at(x, 1) : static_cast<std::uint32_t>(random());
    expectRoundTrip(odd);
    Pixels one(1, 1, 1);
    one.at(0, 0) = 0xff123456u;
    expectRoundTrip(one);
}

TEST(PngEncoding, PlotLikeImageDecodesExactlyAndCompressesWell) {
    // White with grey grid lines, a crowded band of coloured diagonals and a bar.
    Pixels plot(1200, 900, 1200);
    std::mt19937 random(9);
    for (int y = 0; y < plot.height; ++y)
        for (int x = 0; x < plot.width; ++x)
            plot.at(x, y) = (x % 150 == 0 || y % 100 == 0) ? 0xffdadadau : 0xffffffffu;
    for (int line = 0; line < 400; ++line) {
        const int x0 = static_cast<int>(random() % 1000),
                  y0 = 300 + static_cast<int>(random() % 300);
        const std::uint32_t colour = line % 3 == 0 ? 0xff0000ffu : 0xffff0000u + line;
        for (int step = 0; step < 150; ++step)
            plot.at(x0 + step, y0 + (step * (line % 7 - 3)) / 5) = colour;
    }
    for (int y = 700; y < 850; ++y)
        for (int x = 500; x < 560; ++x)
            plot.at(x, y) = x == 500 || x == 559 || y == 700 ? 0xff000000u : 0xff2a5cb0u;
    expectRoundTrip(plot);
    EXPECT_LT(encodePng(plot.rows()).size(), 1200u * 900u * 3u / 10u);
}

TEST(PngEncoding, ImageWithoutPixelsIsAnError) {
    const PixelRows empty{nullptr, 0, 0, 0};
    EXPECT_THROW(encodePng(empty), RuntimeError);
}

TEST(PngBytes, EncodedApartGiveTheFileWrittenDirectlyAndWriteTheSameFile) {
    const int width = 37, height = 11;
    std::vector<std::uint32_t> words(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = 0xff000000u | static_cast<std::uint32_t>(i * 2654435761u % 0xffffffu);
    const PixelRows pixels{reinterpret_cast<const unsigned char*>(words.data()), width, height,
                           width * 4};
    const fs::path dir = fs::temp_directory_path() / "png-bytes-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    writePng(pixels, (dir / "direct.png").string());
    const std::string bytes = encodePng(pixels);
    EXPECT_EQ(bytes, contents(dir / "direct.png"));
    writePngBytes(bytes, (dir / "apart.png").string());
    EXPECT_EQ(contents(dir / "apart.png"), bytes);
    EXPECT_THROW(writePngBytes(bytes, (dir / "missing" / "a.png").string()), RuntimeError);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace ambiscan::render
