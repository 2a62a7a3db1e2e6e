#pragma once

#include <png.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/RunProgram.hpp"

// Headless Chromium and poppler, driven from the end-to-end tests of the report.
namespace ambiscan::testing {

inline bool commandExists(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command, its standard output returned; a status other than 0 is reported.
inline RunResult runShell(const std::string& command) {
    const TempDir scratch;
    const auto out = scratch / "out.txt";
    const auto err = scratch / "err.txt";
    const std::string full =
        command + " >" + shellQuoted(out.string()) + " 2>" + shellQuoted(err.string());
    const int raw = std::system(("/bin/bash -c " + shellQuoted(full)).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

// Chromium headless as the tests run it (as root: no sandbox), with a profile of its own, on
// the page `file`; `options` say what it does (--screenshot=..., --print-to-pdf=..., --dump-dom).
inline RunResult runChromium(const std::filesystem::path& file, const std::string& options) {
    const TempDir profile;
    return runShell(
        "timeout 240 chromium --headless --disable-gpu --no-sandbox "
        "--disable-dev-shm-usage --no-first-run --hide-scrollbars --user-data-dir=" +
        shellQuoted(profile.path().string()) + " " + options + " " +
        shellQuoted("file://" + file.string()));
}

// An image read as 8-bit RGB rows.
struct RgbImage {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgb;  // width * 3 bytes a row
};

inline RgbImage readRgbPng(const std::filesystem::path& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    RgbImage result;
    if (!png_image_begin_read_from_file(&image, file.c_str())) {
        return result;
    }
    image.format = PNG_FORMAT_RGB;
    result.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.rgb.data(), 0, nullptr)) {
        return {};
    }
    result.width = image.width;
    result.height = image.height;
    return result;
}

// Pixels in rows [top, bottom) darker than light grey.
inline std::size_t darkPixels(const RgbImage& image, unsigned top, unsigned bottom) {
    std::size_t n = 0;
    for (unsigned y = top; y < bottom && y < image.height; ++y) {
        for (unsigned x = 0; x < image.width; ++x) {
            const unsigned char* p = &image.rgb[(y * image.width + x) * 3];
            n += p[0] + p[1] + p[2] < 3 * 160 ? 1 : 0;
        }
    }
    return n;
}

}  // namespace ambiscan::testing
