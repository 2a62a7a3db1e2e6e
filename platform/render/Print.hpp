#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/PngFile.hpp"

// Cairo's surface, opaque here: the drawing library stays inside the renderer.
typedef struct _cairo_surface cairo_surface_t;

namespace ambiscan::render {

struct LineScratch;

// Size of every PNG the program writes, in pixels.
inline constexpr int kFigureWidth = 1200;
inline constexpr int kFigureHeight = 900;

// print(device, fileName): renders the current figure to the file. Only "-dpng" is known.
void print(const graphics::Graphics& graphics, const std::string& device,
           const std::string& fileName);

// A figure drawn into pixels. It holds nothing of the model, so that it can be written to its
// file on another thread while the model goes on changing.
class RenderedFigure {
  public:
    // A blank canvas of the figure size (or of the size given); throws RuntimeError when it
    // cannot be had.
    RenderedFigure() : RenderedFigure(kFigureWidth, kFigureHeight) {}
    RenderedFigure(int width, int height);
    RenderedFigure(RenderedFigure&&) noexcept;
    RenderedFigure& operator=(RenderedFigure&&) noexcept;
    ~RenderedFigure();
    PixelRows pixels() const;
    cairo_surface_t* surface() const { return surface_.get(); }
    // Working memory for drawing lines on this canvas, kept while the canvas is used again.
    LineScratch& lineScratch();
    // Makes the canvas `width` by `height` pixels, in the memory it has when that is enough
    // (a smaller figure then costs no fresh memory), else in new memory.
    void resize(int width, int height);

  private:
    struct FreeBuffer {
        void operator()(unsigned char* p) const;
    };
    // The pixels first, so that they outlive the surface drawn on them.
    std::unique_ptr<unsigned char, FreeBuffer> buffer_;
    struct DestroySurface {
        void operator()(cairo_surface_t* s) const;
    };
    std::unique_ptr<cairo_surface_t, DestroySurface> surface_;
    std::size_t capacity_ = 0;  // bytes of pixels the memory holds
    // Working memory per canvas size, kept for when the canvas is that size again.
    struct SizedScratch {
        int width;
        int height;
        std::unique_ptr<LineScratch> scratch;
    };
    std::vector<SizedScratch> scratches_;
};

// Draws one figure into pixels of the figure size.
RenderedFigure renderFigurePixels(const graphics::Graphics& graphics, graphics::Handle figure);
// The same onto a canvas used before, which spares the system handing out fresh memory.
void renderFigurePixels(const graphics::Graphics& graphics, graphics::Handle figure,
                        RenderedFigure& canvas);

// Renders one figure to a PNG file.
void writeFigurePng(const graphics::Graphics& graphics, graphics::Handle figure,
                    const std::string& fileName);

}  // namespace ambiscan::render

namespace ambiscan::render {

// Releases the caches the font and drawing libraries keep for the life of the process.
void releaseRenderResources();

}  // namespace ambiscan::render
