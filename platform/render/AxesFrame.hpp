#pragma once

#include "platform/graphics/Graphics.hpp"
#include "platform/render/Frame.hpp"

namespace ambiscan::render {

// The pixel rectangle an axes gets in a figure of the program's figure size, as it would be
// drawn now: for charts that must relate the two axes' scales (equal axes).
Frame axesFrame(const graphics::Graphics& graphics, graphics::Handle axes);

}  // namespace ambiscan::render
