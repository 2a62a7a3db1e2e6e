#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace ambiscan::analysis {

// A figure as it was written: its file name in the output folder and what was kept of its PNG
// file's bytes (the bytes, or what the collection prepares of them).
struct FigureFile {
    std::string fileName;
    std::string content;
};

// The figures of a run kept in memory in the order they reach their files, so that a report
// can embed them without reading them back or encoding them again. Figures reach their files
// on other threads, one at a time.
class KeptFigures {
  public:
    // Turns a figure's PNG bytes into what is kept, on the thread that wrote the figure (the
    // report's base64 is made there, while the run goes on, not after it).
    using Prepare = std::function<std::string(const std::string& png)>;
    KeptFigures() = default;
    explicit KeptFigures(Prepare prepare) : prepare_(std::move(prepare)) {}
    void keep(std::string fileName, std::string png);
    // Everything kept so far, oldest first; the collection is empty afterwards.
    std::vector<FigureFile> take();

  private:
    Prepare prepare_;
    std::mutex mutex_;
    std::vector<FigureFile> figures_;
};

}  // namespace ambiscan::analysis
