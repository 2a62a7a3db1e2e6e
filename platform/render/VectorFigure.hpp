#pragma once

#include <string>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/FigureFormat.hpp"

namespace ambiscan::render {

// A figure drawn through Cairo's SVG or PDF surface, one unit per pixel of the PNG, with the
// same layout and the same per-column reduction of crowded lines: the document's bytes. Text
// stays text (searchable in the PDF). Throws RuntimeError when Cairo cannot make the document.
std::string renderFigureDocument(const graphics::Graphics& graphics, graphics::Handle figure,
                                 FigureFormat format);

// Writes a figure file's bytes as every output is written: complete or not at all.
void writeFigureBytes(const std::string& bytes, const std::string& fileName);

}  // namespace ambiscan::render
