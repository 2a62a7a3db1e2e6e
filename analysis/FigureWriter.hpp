#pragma once

#include <future>
#include <string>
#include <vector>

#include "platform/render/Print.hpp"

namespace ambiscan::analysis {

// Writes rendered figures to their files on a second thread, one at a time and in the order
// given, while the analysis goes on with the next figure. A failed write is raised at the next
// write or settle, before anything else the run shows; so the files, the console and the errors
// come in the same order as when every figure is written at once.
class FigureWriter {
  public:
    FigureWriter() = default;
    FigureWriter(const FigureWriter&) = delete;
    FigureWriter& operator=(const FigureWriter&) = delete;
    ~FigureWriter();

    // Waits for the figure before, raising its failure, then starts writing this one.
    void write(render::RenderedFigure figure, const std::string& fileName);
    // A canvas to draw the next figure on: one whose figure is written, or a new one.
    render::RenderedFigure canvas();
    // Waits until every figure given is in its file; raises the failure of the last if any.
    void settle();

  private:
    std::future<render::RenderedFigure> pending_;
    std::vector<render::RenderedFigure> spares_;  // canvases whose figures are written
};

}  // namespace ambiscan::analysis
