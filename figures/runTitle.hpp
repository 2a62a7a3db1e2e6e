#pragma once

#include <string>

#include "charts/annotate.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// The summary figures' title: the run title and suffix drawn literally, so that underscores and
// other markup characters in the user's title show as typed.
inline void runTitle(graphics::Graphics& graphics, const std::string& text) {
    charts::title(graphics,
                  {Value(text), Value(std::string("Interpreter")), Value(std::string("none"))});
}

}  // namespace ambiscan::figures
