#include "platform/render/PixelSet.hpp"

namespace ambiscan::render {

bool PixelSet::mark(std::size_t index) {
    if (words_.empty()) {
        const std::size_t pixels =
            static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        words_.resize((pixels + 63) / 64);
    }
    std::uint64_t& word = words_[index / 64];
    if (word == 0)
        used_.push_back(static_cast<std::uint32_t>(index / 64));
    word |= std::uint64_t{1} << (index % 64);
    return true;
}

void PixelSet::clear() {
    for (const std::uint32_t w : used_)
        words_[w] = 0;
    used_.clear();
}

}  // namespace ambiscan::render
