#pragma once

#include <cairo.h>

#include <array>
#include <optional>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/Frame.hpp"
#include "platform/render/detail/CoverageLayer.hpp"
#include "platform/render/detail/LineRaster.hpp"
#include "platform/render/detail/MarkerStamp.hpp"
#include "platform/render/detail/Pen.hpp"
#include "platform/render/detail/PixelSet.hpp"

// Drawing the data objects of an axes: lines with their markers (LinePainter.cpp, crowded pixel
// columns in gatherCrowd.cpp, markers in MarkerPainter.cpp) and patches (PatchPainter.cpp).
namespace ambiscan::render {

// Working memory for drawing lines, kept from one figure to the next.
struct LineScratch {
    LineScratch(int width, int height)
        : seen(width, height), raster(width, height), markers(width, height) {}
    PixelSet seen;
    LineRaster raster;
    CoverageLayer markers;
    MarkerStamps stamps;
};

// How much of a line is drawn: what can be seen (one marker per pixel position, per pixel column
// only the points that shape the line, overlapping stems merged, markers stamped), or every
// point as given, which the reduced drawing is checked against.
enum class Reduction { Visible, Everything };

// Where a line is drawn: with Cairo's paths only, which any surface takes, or straight into the
// pixels of an RGB24 image surface where that draws the same picture faster.
enum class LineTarget { Paths, ImagePixels };

// The line's segments clipped to the frame (NaN points break it), then its markers at the
// points inside the frame. Points crowding into one pixel column are reduced to the first,
// lowest, highest and last of them, which draws the same picture.
void drawLine(cairo_t* cr, const Frame& frame, const graphics::LineObject& line,
              LineScratch& scratch, Reduction reduction = Reduction::Visible,
              LineTarget target = LineTarget::ImagePixels);

// The faces of a patch, filled and edged; "flat" colours index the colour map through clim.
void drawPatch(cairo_t* cr, const Frame& frame, const graphics::PatchObject& patch,
               const Matrix& colormap, const std::array<double, 2>& clim);

// The colour a patch shows in a legend: its first face's fill (or edge when unfilled).
std::optional<graphics::Rgb> patchFaceColor(const graphics::PatchObject& patch,
                                            const Matrix& colormap,
                                            const std::array<double, 2>& clim);
std::optional<graphics::Rgb> patchEdgeColor(const graphics::PatchObject& patch,
                                            const Matrix& colormap,
                                            const std::array<double, 2>& clim);

}  // namespace ambiscan::render
