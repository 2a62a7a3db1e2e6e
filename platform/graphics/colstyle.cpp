#include <cctype>
#include <string>

#include "platform/graphics/Graphics.hpp"

namespace ambiscan::graphics {

std::optional<Rgb> colorOfLetter(char letter) {
    switch (std::tolower(static_cast<unsigned char>(letter))) {
        case 'r':
            return Rgb{1, 0, 0};
        case 'g':
            return Rgb{0, 1, 0};
        case 'b':
            return Rgb{0, 0, 1};
        case 'c':
            return Rgb{0, 1, 1};
        case 'm':
            return Rgb{1, 0, 1};
        case 'y':
            return Rgb{1, 1, 0};
        case 'k':
            return Rgb{0, 0, 0};
        case 'w':
            return Rgb{1, 1, 1};
        default:
            return std::nullopt;
    }
}

namespace {

bool isMarkerLetter(char c) {
    static constexpr std::string_view kMarkers = "ox+*.sdv^<>ph";
    return kMarkers.find(c) != std::string_view::npos;
}

std::string noSpec(const std::string& spec, const std::string& why) {
    return "\"" + spec + "\" is no line spec: " + why + ".";
}

}  // namespace

LineSpec colstyle(const std::string& spec) {
    LineSpec result;
    std::size_t i = 0;
    while (i < spec.size()) {
        const char c = spec[i];
        if (c == '-' || c == ':') {
            // "--" and "-." are read before "-", so "r-." is dash-dot, not "-" with dot markers.
            std::string style(1, c);
            if (c == '-' && i + 1 < spec.size() && (spec[i + 1] == '-' || spec[i + 1] == '.')) {
                style += spec[i + 1];
            }
            if (!result.lineStyle.empty()) {
                return LineSpec{{}, {}, {}, noSpec(spec, "more than one line style")};
            }
            result.lineStyle = style;
            i += style.size();
            continue;
        }
        if (colorOfLetter(c) && std::islower(static_cast<unsigned char>(c))) {
            if (!result.color.empty()) {
                return LineSpec{{}, {}, {}, noSpec(spec, "more than one colour")};
            }
            result.color = std::string(1, c);
        } else if (isMarkerLetter(c)) {
            if (!result.marker.empty()) {
                return LineSpec{{}, {}, {}, noSpec(spec, "more than one marker")};
            }
            result.marker = std::string(1, c);
        } else {
            return LineSpec{
                {}, {}, {}, noSpec(spec, "unknown character '" + std::string(1, c) + "'")};
        }
        ++i;
    }
    return result;
}

}  // namespace ambiscan::graphics
