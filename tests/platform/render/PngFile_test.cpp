#include "platform/render/PngFile.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::render {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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
