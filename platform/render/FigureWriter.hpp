#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/base/WorkerPool.hpp"
#include "platform/render/FigureFormat.hpp"
#include "platform/render/Print.hpp"

namespace ambiscan::render {

// Draws figures on the run's workers and writes them to their files in the order given, while
// the run goes on with the next figure. A failed write is raised at the next write or settle,
// before anything else the run shows; so the files, the console and the errors come in the
// same order as when every figure is written at once.
class FigureWriter {
  public:
    // One file of a figure: its format and path.
    struct FigureFile {
        FigureFormat format;
        std::string path;
    };

    explicit FigureWriter(WorkerPool& pool);
    FigureWriter(const FigureWriter&) = delete;
    FigureWriter& operator=(const FigureWriter&) = delete;
    ~FigureWriter();

    // Makes a figure's model (holding only that figure, current), on the worker that draws it.
    using Build = std::function<graphics::Graphics()>;
    // Called with a figure's PNG bytes once they are in its file, in output order.
    using AfterWrite = std::function<void(std::string png)>;

    // A figure built, drawn and encoded on a worker, then written once the one before is in
    // its file. Nothing is written after a failed write; the failure is raised at a later call
    // or settle.
    void drawAndWrite(Build build, const std::string& fileName, AfterWrite afterWrite = nullptr);
    // The same figure in several files, drawn for each format and written together, in order;
    // `afterWrite` gets its PNG bytes (drawn for it when no PNG file is asked for).
    void drawAndWrite(Build build, std::vector<FigureFile> files, AfterWrite afterWrite = nullptr);
    // The same for a figure already made (a model holding only it).
    void drawAndWrite(graphics::Graphics figure, const std::string& fileName,
                      AfterWrite afterWrite = nullptr);
    // A figure that reaches no file: drawn on a canvas of `width` by `height` pixels and
    // encoded, in turn with the figures; `keep` gets its PNG bytes in output order.
    void drawAndKeep(Build build, int width, int height, AfterWrite keep);
    // Console text that the run shows after the figures given so far: written once they are in
    // their files, and not at all after a failed write, as if every figure were written at once.
    void print(std::ostream& out, std::string text);
    // Waits until every figure given is in its file; raises the first failure if any.
    void settle();

  private:
    // Outputs prepared but not shown yet, beyond which the run waits for the oldest.
    static constexpr std::size_t kInFlight = 6;

    // A step in output order: `prepare` runs on a worker and returns how to show its output,
    // which runs here once every step before has shown its own.
    using Show = std::function<void()>;
    using Prepare = std::function<Show(std::size_t worker)>;
    void enqueue(Prepare prepare);
    void showReady();     // shows the oldest outputs that are prepared, without waiting
    void finishOldest();  // raises its failure, after the rest in flight have stopped
    // The worker's canvas, made the size asked: each worker keeps its own, and the working
    // memory drawn lines need with it, from one figure to the next.
    RenderedFigure& canvas(std::size_t worker, int width = kFigureWidth,
                           int height = kFigureHeight);
    std::string drawPng(const graphics::Graphics& model, std::size_t worker, int width, int height);

    WorkerPool& pool_;
    std::deque<std::future<Show>> inFlight_;  // oldest first
    // Set when a step failed: the steps after it are not drawn.
    std::shared_ptr<std::atomic<bool>> stopped_ = std::make_shared<std::atomic<bool>>(false);
    // Per worker, its canvas, kept for the run.
    std::vector<std::optional<RenderedFigure>> canvases_;
};

}  // namespace ambiscan::render
