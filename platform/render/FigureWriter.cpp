#include "platform/render/FigureWriter.hpp"

#include <memory>
#include <optional>
#include <utility>

#include "platform/render/PngFile.hpp"
#include "platform/render/VectorFigure.hpp"

namespace ambiscan::render {

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

// Gives back a drawing slot, however the drawing ends.
template <class Slots>
class SlotRelease {
  public:
    explicit SlotRelease(Slots& slots) : slots_(slots) {}
    SlotRelease(const SlotRelease&) = delete;
    SlotRelease& operator=(const SlotRelease&) = delete;
    ~SlotRelease() { slots_.release(); }

  private:
    Slots& slots_;
};

}  // namespace

FigureWriter::~FigureWriter() {
    for (auto& f : inFlight_) {
        f.wait();  // leaves the files complete; a failure, if any, comes too late
    }
}

void FigureWriter::drawAndWrite(graphics::Graphics figure, const std::string& fileName,
                                AfterWrite afterWrite) {
    auto model = std::make_shared<graphics::Graphics>(std::move(figure));
    enqueue([this, model, fileName, afterWrite = std::move(afterWrite)] {
        std::string png;
        {
            // The drawing slot is let go before waiting for the figure before: a figure drawn
            // ahead must never hold a slot the earlier one needs.
            drawing_.acquire();
            const SlotRelease slot(drawing_);
            RenderedFigure target = takeCanvas();
            renderFigurePixels(*model, model->currentFigureHandle(), target);
            png = encodePng(target.pixels());
            keepCanvas(std::move(target));
        }
        return std::function<void()>([png = std::move(png), fileName, afterWrite]() mutable {
            writePngBytes(png, fileName);
            if (afterWrite) {
                afterWrite(std::move(png));
            }
        });
    });
}

void FigureWriter::drawAndWrite(graphics::Graphics figure, std::vector<FigureFile> files,
                                AfterWrite afterWrite) {
    auto model = std::make_shared<graphics::Graphics>(std::move(figure));
    auto given = std::make_shared<std::vector<FigureFile>>(std::move(files));
    enqueue([this, model, given, afterWrite = std::move(afterWrite)] {
        auto contents = std::make_shared<std::vector<std::string>>();
        auto png = std::make_shared<std::string>();
        const auto drawPng = [&] {
            RenderedFigure target = takeCanvas();
            renderFigurePixels(*model, model->currentFigureHandle(), target);
            std::string bytes = encodePng(target.pixels());
            keepCanvas(std::move(target));
            return bytes;
        };
        for (const FigureFile& file : *given) {
            drawing_.acquire();
            const SlotRelease slot(drawing_);
            if (file.format == FigureFormat::Png) {
                contents->push_back(drawPng());
                *png = contents->back();
            } else {
                contents->push_back(
                    renderFigureDocument(*model, model->currentFigureHandle(), file.format));
            }
        }
        if (afterWrite && png->empty()) {
            drawing_.acquire();
            const SlotRelease slot(drawing_);
            *png = drawPng();
        }
        return std::function<void()>([given, contents, png, afterWrite] {
            for (std::size_t k = 0; k < given->size(); ++k) {
                writeFigureBytes((*contents)[k], (*given)[k].path);
            }
            if (afterWrite) {
                afterWrite(std::move(*png));
            }
        });
    });
}

void FigureWriter::drawAndKeep(Build build, int width, int height, AfterWrite keep) {
    enqueue([this, build = std::move(build), width, height, keep = std::move(keep)] {
        auto png = std::make_shared<std::string>();
        {
            drawing_.acquire();
            const SlotRelease slot(drawing_);
            const graphics::Graphics model = build();
            RenderedFigure target = takeCanvas(width, height);
            renderFigurePixels(model, model.currentFigureHandle(), target);
            *png = encodePng(target.pixels());
            keepCanvas(std::move(target));
        }
        return std::function<void()>([png, keep] { keep(std::move(*png)); });
    });
}

void FigureWriter::print(std::ostream& out, std::string text) {
    enqueue([&out, text = std::move(text)] {
        return std::function<void()>([&out, text] { out << text; });
    });
}

void FigureWriter::enqueue(Prepare prepare) {
    while (inFlight_.size() >= kInFlight) {
        finishOldest();
    }
    auto promise = std::make_shared<std::promise<bool>>();
    std::shared_future<bool> before = lastWritten_;
    lastWritten_ = promise->get_future().share();
    inFlight_.push_back(
        std::async(std::launch::async, [prepare = std::move(prepare), before, promise] {
            WrittenSignal signal(promise);
            const std::function<void()> show = prepare();
            // Prepared side by side; outputs appear in the order given, none after a failure.
            if (!before.valid() || before.get()) {
                show();
                signal.written = true;
            }
        }));
}

RenderedFigure FigureWriter::takeCanvas(int width, int height) {
    std::optional<RenderedFigure> spare;
    {
        const std::lock_guard lock(sparesMutex_);
        if (!spares_.empty()) {
            spare.emplace(std::move(spares_.back()));
            spares_.pop_back();
        }
    }
    if (!spare) {
        return RenderedFigure(width, height);
    }
    spare->resize(width, height);
    return std::move(*spare);
}

void FigureWriter::keepCanvas(RenderedFigure canvas) {
    const std::lock_guard lock(sparesMutex_);
    spares_.push_back(std::move(canvas));
}

void FigureWriter::settle() {
    while (!inFlight_.empty()) {
        finishOldest();
    }
}

void FigureWriter::finishOldest() {
    std::future<void> oldest = std::move(inFlight_.front());
    inFlight_.pop_front();
    try {
        oldest.get();
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

}  // namespace ambiscan::render
