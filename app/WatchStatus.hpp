#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "evidence/SequentialRun.hpp"

namespace ambiscan::app {

// One line per receiver while a run is watched: attempts, reliability with its confidence
// sequence, and (with `decide`) each gate's state or the attempts it still needs.
std::vector<std::string> watchStatusLines(const evidence::SequentialRun& run, bool decide);

// The line printed when receiver k's gate has just been decided.
std::string decisionAnnouncement(const evidence::SequentialRun& run, std::size_t gate,
                                 std::size_t k);

// Status lines kept in place on a terminal: each show() rewrites the lines shown before.
class StatusBoard {
  public:
    explicit StatusBoard(std::ostream& out) : out_(out) {}
    void show(const std::vector<std::string>& lines);

  private:
    std::ostream& out_;
    std::size_t shown_ = 0;
};

}  // namespace ambiscan::app
