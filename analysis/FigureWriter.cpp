#include "analysis/FigureWriter.hpp"

#include <utility>

#include "platform/render/PngFile.hpp"

namespace ambiscan::analysis {

FigureWriter::~FigureWriter() {
    if (pending_.valid()) {
        pending_.wait();  // leaves the file complete; its failure, if any, comes too late
    }
}

void FigureWriter::write(render::RenderedFigure figure, const std::string& fileName) {
    settle();
    pending_ = std::async(std::launch::async, [figure = std::move(figure), fileName]() mutable {
        render::writePng(figure.pixels(), fileName);
        return std::move(figure);
    });
}

render::RenderedFigure FigureWriter::canvas() {
    if (!spares_.empty()) {
        render::RenderedFigure c = std::move(spares_.back());
        spares_.pop_back();
        return c;
    }
    return render::RenderedFigure();
}

void FigureWriter::settle() {
    if (pending_.valid()) {
        std::future<render::RenderedFigure> done = std::move(pending_);
        spares_.push_back(done.get());
    }
}

}  // namespace ambiscan::analysis
