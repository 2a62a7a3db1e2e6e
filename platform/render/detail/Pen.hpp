#pragma once

#include <cairo.h>

#include <optional>
#include <string>

#include "platform/graphics/Graphics.hpp"

// Cairo's pen for the figure's objects: the colour it paints with and a line style's stroke.
namespace ambiscan::render {

void setColor(cairo_t* cr, const graphics::Rgb& c);

// The colour a colour property paints with: its own, the automatic one for "auto" and "flat",
// none for "none".
std::optional<graphics::Rgb> resolve(const graphics::ColorSpec& spec,
                                     const graphics::Rgb& automatic);

// The stroke of a line style ("-", "--", ":", "-.") at this width in pixels: joins, dashes, caps.
void setLineStyle(cairo_t* cr, const std::string& style, double width);

}  // namespace ambiscan::render
