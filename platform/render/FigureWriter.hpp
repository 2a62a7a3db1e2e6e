#pragma once

#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <ostream>
#include <semaphore>
#include <string>
#include <vector>

#include "platform/render/FigureFormat.hpp"
#include "platform/render/Print.hpp"

namespace ambiscan::render {

// Writes rendered figures to their files on other threads, one at a time and in the order
// given, while the analysis goes on with the next figure. A failed write is raised at the next
// write or settle, before anything else the run shows; so the files, the console and the errors
// come in the same order as when every figure is written at once.
class FigureWriter {
  public:
    // One file of a figure: its format and path.
    struct FigureFile {
        FigureFormat format;
        std::string path;
    };

    FigureWriter() = default;
    FigureWriter(const FigureWriter&) = delete;
    FigureWriter& operator=(const FigureWriter&) = delete;
    ~FigureWriter();

    // Called with a figure's PNG bytes once they are in its file, in output order.
    using AfterWrite = std::function<void(std::string png)>;
    // A figure not drawn yet, in a model that holds only it (see Graphics::takeCurrentFigure):
    // handed to a thread of its own, up to six at a time, while the main thread makes the next;
    // two are drawn and encoded at once, and each is written once the one before is in its file.
    // Nothing is written after a failed write; the failure is raised at a later call or settle.
    void drawAndWrite(graphics::Graphics figure, const std::string& fileName,
                      AfterWrite afterWrite = nullptr);
    // The same figure in several files, drawn for each format and written together, in order;
    // `afterWrite` gets its PNG bytes (drawn for it when no PNG file is asked for).
    void drawAndWrite(graphics::Graphics figure, std::vector<FigureFile> files,
                      AfterWrite afterWrite = nullptr);
    // A figure that reaches no file: built by `build` on a drawing thread, drawn on a canvas of
    // `width` by `height` pixels and encoded, in turn with the figures; `keep` gets its PNG
    // bytes in output order. Sharing the drawing threads and their canvases costs less than a
    // thread of its own: no core is asked for twice, no canvas is fresh more than once.
    using Build = std::function<graphics::Graphics()>;
    void drawAndKeep(Build build, int width, int height, AfterWrite keep);
    // Console text that the run shows after the figures given so far: written once they are in
    // their files, and not at all after a failed write, as if every figure were written at once.
    void print(std::ostream& out, std::string text);
    // Waits until every figure given is in its file; raises the first failure if any.
    void settle();

  private:
    static constexpr std::size_t kInFlight = 6;
    // Figures drawn and encoded at the same time: one per core. Each holds a canvas and its
    // working memory, so more would cost memory and page faults without finishing sooner.
    static constexpr std::ptrdiff_t kDrawing = 2;

    // A step in output order, on a thread of its own once there is room: `prepare` runs at once
    // and returns how to show its output, which runs when every step before has shown its own.
    using Prepare = std::function<std::function<void()>()>;
    void enqueue(Prepare prepare);
    void finishOldest();  // raises its failure, after the rest in flight have stopped
    // Canvases whose figures are encoded, shared by the drawing threads; a spare is made the
    // size asked, in its own memory when that is enough.
    RenderedFigure takeCanvas(int width = kFigureWidth, int height = kFigureHeight);
    void keepCanvas(RenderedFigure canvas);

    std::deque<std::future<void>> inFlight_;  // oldest first
    std::shared_future<bool> lastWritten_;    // true once the newest is in its file
    std::counting_semaphore<kDrawing> drawing_{kDrawing};
    std::mutex sparesMutex_;
    std::vector<RenderedFigure> spares_;
};

}  // namespace ambiscan::render
