#include "app/ProgressLine.hpp"

namespace ambiscan::app {

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRefresh = std::chrono::milliseconds(200);

}  // namespace

ProgressLine::ProgressLine(std::ostream& terminal, bool enabled) : terminal_(terminal) {
    if (enabled) {
        ticker_ = std::jthread([this](std::stop_token stop) { run(stop); });
    }
}

ProgressLine::~ProgressLine() {
    if (ticker_.joinable()) {
        ticker_.request_stop();
        ticker_.join();
    }
}

void ProgressLine::stage(std::string text) {
    const std::lock_guard lock(mutex_);
    text_ = std::move(text);
}

void ProgressLine::run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, stop, kQuietStart, [] { return false; });
    if (stop.stop_requested()) {
        return;  // done within the first second: nothing shown
    }
    std::string shown;
    bool wrote = false;
    while (!stop.stop_requested()) {
        if (text_ != shown) {
            shown = text_;
            // Erase to the end of the line, then back to its start.
            terminal_ << "\rambiscan: " << shown << "\033[K\r" << std::flush;
            wrote = true;
        }
        wake_.wait_for(lock, stop, kRefresh, [] { return false; });
    }
    if (wrote) {
        terminal_ << "\r\033[K" << std::flush;
    }
}

}  // namespace ambiscan::app
