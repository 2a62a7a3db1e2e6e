#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

namespace ambiscan::app {

// One self-rewriting status line on a terminal, for runs long enough to wait on. Nothing shows
// in the first second, so that short runs look as they always did; then the latest stage is
// written a few times a second, by a thread of its own so that a long read shows too. Each
// write leaves the cursor at the start of the line, so console text printed meanwhile writes
// over it; the line is erased when the progress ends.
class ProgressLine {
  public:
    // Shows nothing at all unless `enabled` (standard error is a terminal).
    ProgressLine(std::ostream& terminal, bool enabled);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The stage the run is at, e.g. "reading inits.txt" or "figure 3 of 33".
    void stage(std::string text);

  private:
    void run(std::stop_token stop);

    std::ostream& terminal_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
    std::string text_;
    std::jthread ticker_;  // last: it uses the members above
};

}  // namespace ambiscan::app
