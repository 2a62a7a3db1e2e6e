#include "platform/render/detail/PixelSet.hpp"

#include <algorithm>

namespace ambiscan::render {

PixelSet::PixelSet(int width, int height)
    : width_(width),
      height_(height),
      words_((static_cast<std::size_t>(std::max(width, 0)) *
                  static_cast<std::size_t>(std::max(height, 0)) +
              63) /
             64) {}

void PixelSet::clear() {
    // A sixty-fourth of the image: cheaper than keeping account of the words set, which would
    // cost a step for every marker.
    std::fill(words_.begin(), words_.end(), 0);
}

}  // namespace ambiscan::render
