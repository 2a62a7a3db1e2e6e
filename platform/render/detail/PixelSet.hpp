#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ambiscan::render {

// Pixels already holding a marker of the line being drawn: a marker is drawn once per pixel
// position, however many points fall there.
class PixelSet {
  public:
    PixelSet(int width, int height);
    // True the first time a position is seen.
    bool insert(double x, double y) {
        // Rounded half up by truncation: only positions from -0.5 on can fall inside.
        if (!(x > -0.5 && y > -0.5 && x < width_ && y < height_))
            return true;
        const auto ix = static_cast<long>(x + 0.5);
        const auto iy = static_cast<long>(y + 0.5);
        if (ix >= width_ || iy >= height_)
            return true;
        return insertAt(static_cast<std::size_t>(ix), static_cast<std::size_t>(iy));
    }
    // The set's bits, for a loop to keep in registers while it inserts.
    class Bits {
      public:
        Bits() = default;
        // True when the pixel at col * height() + row has been seen.
        bool contains(std::size_t index) const {
            return ((words_[index / 64] >> (index % 64)) & 1) != 0;
        }
        // insert() for the pixel at col * height() + row.
        bool insertIndex(std::size_t index) const {
            std::uint64_t& word = words_[index / 64];
            // Written only when new, as few are: the next point's read of the word need not
            // wait for this write.
            if (((word >> (index % 64)) & 1) != 0)
                return false;
            word |= std::uint64_t{1} << (index % 64);
            return true;
        }

        std::size_t height() const { return height_; }

      private:
        friend class PixelSet;
        Bits(std::uint64_t* words, std::size_t height) : words_(words), height_(height) {}
        std::uint64_t* words_ = nullptr;
        std::size_t height_ = 0;
    };
    Bits bits() { return {words_.data(), static_cast<std::size_t>(height_)}; }
    // insert() for a position whose rounding lies inside the image.
    bool insertInside(double x, double y) {
        return insertAt(static_cast<std::size_t>(static_cast<long>(x + 0.5)),
                        static_cast<std::size_t>(static_cast<long>(y + 0.5)));
    }

    int width() const { return width_; }
    int height() const { return height_; }

    // Forgets the positions seen.
    void clear();

  private:
    bool insertAt(std::size_t col, std::size_t row) {
        // By columns: points of a line in time order stay within a column or two for a while.
        return bits().insertIndex(col * static_cast<std::size_t>(height_) + row);
    }

    int width_, height_;
    std::vector<std::uint64_t> words_;  // a bit per pixel, by columns
};

}  // namespace ambiscan::render
