#pragma once

#include <cairo.h>

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/render/detail/CoverageLayer.hpp"

namespace ambiscan::render {

// One marker drawn once into coverage masks, at a few sub-pixel offsets, and then added to a
// coverage layer wherever a point falls. Thousands of markers cost thousands of small stamps
// instead of one path with thousands of outlines, whose filling and stroking grows far faster.
class MarkerStamp {
  public:
    // Sub-pixel offsets per pixel and axis: positions are kept to 1/8 pixel.
    static constexpr int kPhases = 4;

    // Stamps for layers of this height.
    MarkerStamp(const std::string& marker, double size, double edgeWidth, int layerHeight);

    // Adds the face (or edge) coverage centred on (x, y) to the layer.
    void stampFace(CoverageLayer& layer, double x, double y) const;
    void stampEdge(CoverageLayer& layer, double x, double y) const;

    // True when markers can be stamped onto the target of `cr`: a 24-bit image drawn without
    // a transform, as stamps are placed in the surface's own pixels.
    static bool canStamp(cairo_t* cr);
    static bool drawnWithoutTransform(cairo_t* cr);

  private:
    // The covered pixels of a mask only: most of its square is empty.
    struct Cover {
        std::int16_t row, col;
        std::uint8_t alpha;
    };
    // The same pixels by sixteen rows of a column, for a marker wholly inside the layer (with
    // the rows its blocks reach below a small square); rows with nothing between two blocks
    // are skipped. A marker's column mostly fits in one.
    static constexpr int kBlockRows = 16;
    struct Block {
        std::int32_t offset;  // from the mask's corner cell to the block's first, in a layer
        std::array<std::uint8_t, kBlockRows> alpha;
    };
    struct Mask {
        std::vector<Cover> covers;
        std::vector<Block> blocks;
    };
    Mask makeMask(const unsigned char* data, int stride, int layerHeight) const;
    const Mask& mask(const std::vector<Mask>& masks, double x, double y, long& left,
                     long& top) const;
    void stamp(CoverageLayer& layer, const std::vector<Mask>& masks, double x, double y) const;

    int side_ = 0;                     // masks are side_ x side_ pixels
    int blockRows_ = 0;                // rows from a mask's top that its blocks may reach
    int lanes_ = 2;                    // widestLanes(), asked once
    int half_ = 0;                     // from the mask's corner to the pixel holding its centre
    std::vector<Mask> faces_, edges_;  // kPhases * kPhases each, by (phase y, phase x)
};

// The stamps made so far, kept with a canvas for its next figures: making one takes thirty-two
// small drawings, and a run's figures use the same few again and again.
class MarkerStamps {
  public:
    const MarkerStamp& stamp(const std::string& marker, double size, double edgeWidth,
                             int layerHeight);

  private:
    struct Made {
        std::string marker;
        double size, edgeWidth;
        int layerHeight;
        MarkerStamp stamp;
    };
    static constexpr std::size_t kMost = 16;  // a figure uses one or two
    std::deque<Made> made_;                   // stays where it is while newer ones come
};

}  // namespace ambiscan::render
