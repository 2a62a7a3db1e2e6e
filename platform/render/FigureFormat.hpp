#pragma once

#include <string>

namespace ambiscan::render {

// The file formats a figure can be written in: pixels, or vectors with text kept as text.
enum class FigureFormat { Png, Svg, Pdf };

// "png", "svg" or "pdf": the file name extension, without the dot, and the name on the command
// line.
inline std::string formatName(FigureFormat format) {
    switch (format) {
        case FigureFormat::Svg:
            return "svg";
        case FigureFormat::Pdf:
            return "pdf";
        case FigureFormat::Png:
            break;
    }
    return "png";
}

}  // namespace ambiscan::render
