#pragma once

namespace ambiscan::render {

// Loads the font configuration and the faces the figures use, on the calling thread, so that a
// run finds out before its first output whether it can draw text. Raises a RuntimeError when
// the fonts cannot be set up (for lack of memory).
void prepareFonts();

}  // namespace ambiscan::render
