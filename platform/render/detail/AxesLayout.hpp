#pragma once

#include <string>
#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/Frame.hpp"
#include "platform/render/detail/Text.hpp"

// Where an axes and its texts go in the figure: the frame is what remains after tick labels,
// axis labels and title have been given room, so that nothing overlaps or is cut off.
namespace ambiscan::render {

struct AxisTicks {
    std::vector<double> positions;  // inside the limits only
    std::vector<std::string> labels;
    std::vector<bool> labelShown;  // crowded labels are left out in turn
};

struct PlacedText {
    std::vector<std::string> lines;
    Font font;
    double x = 0, y = 0;
    HAlign h = HAlign::Center;
    VAlign v = VAlign::Top;
    double angle = 0;
    graphics::Rgb color{0, 0, 0};
};

struct AxesLayout {
    Frame frame;
    AxisTicks x, y;
    Font tickFont;
    PlacedText title, xlabel, ylabel;
    graphics::Rgb axisColor{0.15, 0.15, 0.15};
};

inline constexpr double kTickLength = 7;
inline constexpr double kTickLabelGap = 6;

AxesLayout layoutAxes(const graphics::Graphics& graphics, graphics::Handle axes, TextPainter& text,
                      double figureWidth, double figureHeight);

}  // namespace ambiscan::render
