#pragma once

#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::charts {

// title/xlabel/ylabel(string, name, value, ...): write the text into the current axes' own title,
// x-label or y-label object with the axes' font; the caller's pairs are written last. `args`
// holds every argument, the text first. Returns the text object's handle.
graphics::Handle title(graphics::Graphics& graphics, const std::vector<Value>& args);
graphics::Handle xlabel(graphics::Graphics& graphics, const std::vector<Value>& args);
graphics::Handle ylabel(graphics::Graphics& graphics, const std::vector<Value>& args);

// Convenience forms for a plain text.
graphics::Handle title(graphics::Graphics& graphics, const std::string& text);
graphics::Handle xlabel(graphics::Graphics& graphics, const std::string& text);
graphics::Handle ylabel(graphics::Graphics& graphics, const std::string& text);

}  // namespace ambiscan::charts
