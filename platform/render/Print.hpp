#pragma once

#include <string>

#include "platform/graphics/Graphics.hpp"

namespace ambiscan::render {

// Size of every PNG the program writes, in pixels.
inline constexpr int kFigureWidth = 1200;
inline constexpr int kFigureHeight = 900;

// print(device, fileName): renders the current figure to the file. Only "-dpng" is known.
void print(const graphics::Graphics& graphics, const std::string& device,
           const std::string& fileName);

// Renders one figure to a PNG file.
void writeFigurePng(const graphics::Graphics& graphics, graphics::Handle figure,
                    const std::string& fileName);

}  // namespace ambiscan::render

namespace ambiscan::render {

// Releases the caches the font and drawing libraries keep for the life of the process.
void releaseRenderResources();

}  // namespace ambiscan::render
