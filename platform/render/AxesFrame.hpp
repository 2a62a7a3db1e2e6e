#pragma once

#include "platform/graphics/Graphics.hpp"
#include "platform/render/Frame.hpp"
#include "platform/render/Print.hpp"

namespace ambiscan::render {

// The pixel rectangle an axes gets in a figure of the given size (the program's figure size by
// default), as it would be drawn now: for charts that must relate the two axes' scales (equal
// axes).
Frame axesFrame(const graphics::Graphics& graphics, graphics::Handle axes, int width = kFigureWidth,
                int height = kFigureHeight);

}  // namespace ambiscan::render
