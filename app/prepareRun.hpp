#pragma once

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::app {

// Sets up what a run on `inits` needs that can fail for lack of memory, before its first
// output: room for its working copies and drawing threads, and the fonts. Raises "not enough
// memory for N records" otherwise, with nothing written.
void prepareRun(const Matrix& inits);

}  // namespace ambiscan::app
