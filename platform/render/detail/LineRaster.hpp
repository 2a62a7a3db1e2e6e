#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "platform/graphics/Colors.hpp"
#include "platform/render/detail/CoverageLayer.hpp"
#include "platform/render/detail/ZeroPages.hpp"

namespace ambiscan::render {

// Solid lines of one width gathered as coverage and blended into a 24-bit image once.
//
// Cairo's stroker pays for every segment on every scan line it crosses, which for a crowded noisy
// line is nearly every segment over the whole height of the axes; here a segment costs only the
// pixels it touches. A pixel is covered by the part of it within half the line width of the
// segment (exact for horizontal and vertical segments, close for slanted ones; the ends are
// round, as round joins make them). Where a segment meets the one before it the larger coverage
// holds, so that joins (and a spike's way up and down) are not painted twice; where others cross
// it their coverages combine as overlapping strokes do.
class LineRaster {
  public:
    // The rectangle drawing is kept to, in pixels; pixels it cuts get their share.
    struct Clip {
        double left, top, right, bottom;
    };

    // Working memory for images of this size, taken on the first line.
    LineRaster(int imageWidth, int imageHeight) : width_(imageWidth), height_(imageHeight) {}

    // Starts a line of this width, kept to the clip.
    void begin(double lineWidth, Clip clip);
    void segment(double x0, double y0, double x1, double y1);

    // Paints the gathered coverage in the colour into an RGB24 image surface, and forgets it.
    // Coverage of the same colour in a layer, to be painted after the line, may be painted
    // along with it on the line's rows: one blend of those pixels instead of two.
    void blendInto(cairo_surface_t* image, const graphics::Rgb& colour,
                   CoverageLayer* alsoLayer = nullptr);

  private:
    // What a segment leaves on the pixels near it.
    struct Pen {
        double edge;                     // pixel centres this far from the segment get nothing
        double fullest;                  // the most a pixel can be covered
        std::uint8_t segment, previous;  // this segment's number and the one before it
    };
    static void cover(std::uint8_t& coverage, std::uint8_t& segment, double distance, Pen pen);
    // A steep segment as its middle rows are covered: the middle at a row centre is
    // ax + (centre - ay) * slope, a distance across is `cosine` times the offset from it, and
    // pixels farther than `across` from it get nothing.
    struct Steep {
        double ax, ay, slope, cosine, across;
    };
    void coverSteepMiddle(const Steep& s, long firstRow, long lastRow, Pen pen);
    // cover() for the rows from..to of the column whose centre is at `centre`, for the segment.
    static void coverRows(std::uint8_t* coverage, std::uint8_t* segments, long from, long to,
                          const Steep& s, double centre, Pen pen);
    void touch(long col, long from, long to);  // widens the column's covered rows
    // The coverage to paint the rows from..from + count - 1 of a column at, the layer's with it.
    void columnAlphas(long col, long from, long count, const CoverageLayer* layer,
                      std::uint8_t* alphas) const;
    // blendInto's work, compiled in two copies on x86. Only called from its own file: some
    // compilers name the copies' dispatcher so that calls from other files do not link.
    void blendPixels(cairo_surface_t* image, const graphics::Rgb& colour, CoverageLayer* alsoLayer);
    // Clears the column's rows from..to, in the layer too, and marks it uncovered.
    void forgetColumn(long col, long from, long to, CoverageLayer* layer);

    int width_, height_;
    double half_ = 0.5;  // half the line width
    double fullest_ =
        1.0;  // the most a pixel can be covered: a line under a pixel wide covers less
    long firstCol_ = 0, lastCol_ = -1, firstRow_ = 0, lastRow_ = -1;  // pixels the clip touches
    std::vector<float> colShare_, rowShare_;  // how much of each pixel the clip keeps
    // Per pixel, kept by columns, since crowded lines are drawn mostly as tall near-vertical
    // strokes: its coverage, and the segment that last covered it (counted round; 0 none).
    ZeroPages coverage_, segments_;
    std::uint8_t segmentNumber_ = 1;
    std::vector<long> colFrom_, colTo_;  // covered rows per column, none when from > to
};

}  // namespace ambiscan::render
