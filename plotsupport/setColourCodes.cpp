#include "plotsupport/setColourCodes.hpp"

#include <array>

namespace ambiscan::plotsupport {

namespace {

constexpr std::size_t kBaseColours = 19;
constexpr std::size_t kRows = 2 * kBaseColours;

// 8-bit levels of the base colours: red, green, blue.
constexpr std::array<std::array<double, 3>, kBaseColours> kLevels{{
    {0, 0, 255},     {255, 0, 0},   {255, 0, 255}, {0, 255, 0},     {0, 255, 255},
    {0, 0, 0},       {255, 255, 0}, {0, 128, 128}, {0, 128, 0},     {128, 0, 0},
    {0, 0, 128},     {128, 128, 0}, {128, 0, 128}, {255, 177, 177}, {192, 192, 192},
    {128, 128, 128}, {128, 255, 0}, {128, 51, 51}, {128, 0, 255},
}};

}  // namespace

Matrix setColourCodes() {
    // The palette cycles: the second 19 rows repeat the first.
    Matrix table(kRows, 3);
    for (std::size_t r = 0; r < kRows; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            table(r, c) = kLevels[r % kBaseColours][c] / 255;
        }
    }
    return table;
}

}  // namespace ambiscan::plotsupport
