#include "analysis/FigureWriter.hpp"

#include <memory>
#include <utility>

#include "platform/render/PngFile.hpp"

namespace ambiscan::analysis {

namespace {

// Tells the next figure, whatever happens here, whether this one reached its file.
class WrittenSignal {
  public:
    explicit WrittenSignal(std::shared_ptr<std::promise<bool>> promise)
        : promise_(std::move(promise)) {}
    WrittenSignal(const WrittenSignal&) = delete;
    WrittenSignal& operator=(const WrittenSignal&) = delete;
    ~WrittenSignal() { promise_->set_value(written); }
    bool written = false;

  private:
    std::shared_ptr<std::promise<bool>> promise_;
};

}  // namespace

FigureWriter::~FigureWriter() {
    for (auto& f : inFlight_) {
        f.wait();  // leaves the files complete; a failure, if any, comes too late
    }
}

void FigureWriter::write(render::RenderedFigure figure, const std::string& fileName) {
    settle();
    start(nullptr, std::move(figure), fileName);
}

void FigureWriter::drawAndWrite(graphics::Graphics figure, const std::string& fileName) {
    while (inFlight_.size() >= kInFlight) {
        finishOldest();
    }
    auto model = std::make_shared<graphics::Graphics>(std::move(figure));
    start(
        [model](render::RenderedFigure& target) {
            render::renderFigurePixels(*model, model->currentFigureHandle(), target);
        },
        canvas(), fileName);
}

void FigureWriter::start(Draw draw, render::RenderedFigure target, const std::string& fileName) {
    auto promise = std::make_shared<std::promise<bool>>();
    std::shared_future<bool> before = lastWritten_;
    lastWritten_ = promise->get_future().share();
    inFlight_.push_back(std::async(
        std::launch::async,
        [draw = std::move(draw), target = std::move(target), fileName, before, promise]() mutable {
            WrittenSignal signal(promise);
            if (draw) {
                draw(target);
            }
            // Encoded side by side; files appear in the order given, and none after a failed
            // one.
            const std::string png = render::encodePng(target.pixels());
            if (!before.valid() || before.get()) {
                render::writePngBytes(png, fileName);
                signal.written = true;
            }
            return std::move(target);
        }));
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
    while (!inFlight_.empty()) {
        finishOldest();
    }
}

void FigureWriter::finishOldest() {
    std::future<render::RenderedFigure> oldest = std::move(inFlight_.front());
    inFlight_.pop_front();
    try {
        spares_.push_back(oldest.get());
    } catch (...) {
        // The figures after it stop without writing; the next ones start afresh.
        for (auto& f : inFlight_) {
            f.wait();
        }
        inFlight_.clear();
        lastWritten_ = {};
        throw;
    }
}

}  // namespace ambiscan::analysis
