#include "platform/render/FigureWriter.hpp"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "platform/render/PngFile.hpp"
#include "platform/render/VectorFigure.hpp"

namespace ambiscan::render {

FigureWriter::FigureWriter(WorkerPool& pool)
    : pool_(pool), canvases_(std::max<std::size_t>(1, pool.size())) {}

FigureWriter::~FigureWriter() {
    stopped_->store(true);
    for (auto& f : inFlight_) {
        f.wait();  // leaves the files complete; a failure, if any, comes too late
    }
}

RenderedFigure& FigureWriter::canvas(std::size_t worker, int width, int height) {
    std::optional<RenderedFigure>& mine = canvases_[worker];
    if (!mine) {
        mine.emplace(width, height);
    }
    // A smaller figure is drawn in the memory the canvas has.
    mine->resize(width, height);
    return *mine;
}

std::string FigureWriter::drawPng(const graphics::Graphics& model, std::size_t worker, int width,
                                  int height) {
    RenderedFigure& target = canvas(worker, width, height);
    renderFigurePixels(model, model.currentFigureHandle(), target);
    return encodePng(target.pixels());
}

void FigureWriter::drawAndWrite(Build build, const std::string& fileName, AfterWrite afterWrite) {
    enqueue([this, build = std::move(build), fileName,
             afterWrite = std::move(afterWrite)](std::size_t worker) {
        std::string png = drawPng(build(), worker, kFigureWidth, kFigureHeight);
        return Show([png = std::move(png), fileName, afterWrite]() mutable {
            writePngBytes(png, fileName);
            if (afterWrite) {
                afterWrite(std::move(png));
            }
        });
    });
}

void FigureWriter::drawAndWrite(graphics::Graphics figure, const std::string& fileName,
                                AfterWrite afterWrite) {
    auto model = std::make_shared<graphics::Graphics>(std::move(figure));
    drawAndWrite([model] { return std::move(*model); }, fileName, std::move(afterWrite));
}

void FigureWriter::drawAndWrite(Build build, std::vector<FigureFile> files, AfterWrite afterWrite) {
    enqueue([this, build = std::move(build), files = std::move(files),
             afterWrite = std::move(afterWrite)](std::size_t worker) {
        const graphics::Graphics model = build();
        std::vector<std::string> contents;
        std::string png;
        for (const FigureFile& file : files) {
            if (file.format == FigureFormat::Png) {
                contents.push_back(drawPng(model, worker, kFigureWidth, kFigureHeight));
                png = contents.back();
            } else {
                contents.push_back(
                    renderFigureDocument(model, model.currentFigureHandle(), file.format));
            }
        }
        if (afterWrite && png.empty()) {
            png = drawPng(model, worker, kFigureWidth, kFigureHeight);
        }
        return Show(
            [files, contents = std::move(contents), png = std::move(png), afterWrite]() mutable {
                for (std::size_t k = 0; k < files.size(); ++k) {
                    writeFigureBytes(contents[k], files[k].path);
                }
                if (afterWrite) {
                    afterWrite(std::move(png));
                }
            });
    });
}

void FigureWriter::drawAndKeep(Build build, int width, int height, AfterWrite keep) {
    enqueue([this, build = std::move(build), width, height,
             keep = std::move(keep)](std::size_t worker) {
        std::string png = drawPng(build(), worker, width, height);
        return Show([png = std::move(png), keep]() mutable { keep(std::move(png)); });
    });
}

void FigureWriter::print(std::ostream& out, std::string text) {
    enqueue([&out, text = std::move(text)](std::size_t) {
        return Show([&out, text] { out << text; });
    });
}

void FigureWriter::enqueue(Prepare prepare) {
    showReady();
    while (inFlight_.size() >= kInFlight) {
        finishOldest();
    }
    inFlight_.push_back(pool_.submit(
        [prepare = std::move(prepare), stopped = stopped_](std::size_t worker) -> Show {
            if (stopped->load()) {
                return [] {};  // a step before failed: this one is dropped unseen
            }
            return prepare(worker);
        }));
}

void FigureWriter::showReady() {
    while (!inFlight_.empty() &&
           inFlight_.front().wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        finishOldest();
    }
}

void FigureWriter::settle() {
    while (!inFlight_.empty()) {
        finishOldest();
    }
}

void FigureWriter::finishOldest() {
    std::future<Show> oldest = std::move(inFlight_.front());
    inFlight_.pop_front();
    try {
        oldest.get()();
    } catch (...) {
        // The figures after it stop without writing; the next ones start afresh.
        stopped_->store(true);
        for (auto& f : inFlight_) {
            f.wait();
        }
        inFlight_.clear();
        stopped_ = std::make_shared<std::atomic<bool>>(false);
        throw;
    }
}

}  // namespace ambiscan::render
