#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace ambiscan::analysis {

// A figure as it was written: its file name in the output folder and the PNG file's bytes.
struct FigureFile {
    std::string fileName;
    std::string png;
};

// The figures of a run kept in memory in the order they reach their files, so that a report
// can embed them without reading them back or encoding them again. Figures reach their files
// on other threads, one at a time.
class KeptFigures {
  public:
    void keep(std::string fileName, std::string png);
    // Everything kept so far, oldest first; the collection is empty afterwards.
    std::vector<FigureFile> take();

  private:
    std::mutex mutex_;
    std::vector<FigureFile> figures_;
};

}  // namespace ambiscan::analysis
