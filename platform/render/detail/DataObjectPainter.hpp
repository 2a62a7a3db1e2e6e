#pragma once

#include <cairo.h>

#include <array>
#include <memory>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/Frame.hpp"
#include "platform/render/detail/DataPainter.hpp"

namespace ambiscan::render {

// How the data objects of an axes (lines with their markers, patches) reach a surface. The rest
// of a figure (grid, ticks, texts, legends) is drawn with Cairo's paths on every surface.
class DataObjectPainter {
  public:
    explicit DataObjectPainter(cairo_t* cr) : cr_(cr) {}
    virtual ~DataObjectPainter() = default;
    DataObjectPainter(const DataObjectPainter&) = delete;
    DataObjectPainter& operator=(const DataObjectPainter&) = delete;

    virtual void line(const Frame& frame, const graphics::LineObject& line, LineScratch& scratch,
                      Reduction reduction) = 0;
    // Patches are few shapes each, drawn as paths by every painter.
    void patch(const Frame& frame, const graphics::PatchObject& patch, const Matrix& colormap,
               const std::array<double, 2>& clim) {
        drawPatch(cr_, frame, patch, colormap, clim);
    }

  protected:
    cairo_t* cr_;
};

// Cairo's paths only: works on any surface (image, SVG, PDF), and keeps vectors as vectors.
class CairoDataPainter final : public DataObjectPainter {
  public:
    using DataObjectPainter::DataObjectPainter;
    void line(const Frame& frame, const graphics::LineObject& line, LineScratch& scratch,
              Reduction reduction) override {
        drawLine(cr_, frame, line, scratch, reduction, LineTarget::Paths);
    }
};

// Solid lines and markers written into the pixels of an RGB24 image surface where they draw the
// same picture as the paths would, much faster for crowded lines; the rest as paths.
class RasterDataPainter final : public DataObjectPainter {
  public:
    using DataObjectPainter::DataObjectPainter;
    void line(const Frame& frame, const graphics::LineObject& line, LineScratch& scratch,
              Reduction reduction) override {
        drawLine(cr_, frame, line, scratch, reduction, LineTarget::ImagePixels);
    }
};

// The one place the painter is chosen: the raster painter for an RGB24 image surface drawn
// without a transform, the Cairo painter for every other surface.
std::unique_ptr<DataObjectPainter> dataPainterFor(cairo_t* cr);

}  // namespace ambiscan::render
