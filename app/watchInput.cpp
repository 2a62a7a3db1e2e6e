#include "app/watchInput.hpp"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/WatchStatus.hpp"
#include "app/runDecision.hpp"
#include "platform/base/RuntimeError.hpp"

namespace ambiscan::app {

namespace {

using Clock = std::chrono::steady_clock;

// SIGINT and SIGTERM held back while watching and taken in turn by the waits between polls, so
// that watching ends between two polls and the final outputs are still written.
class StopSignals {
  public:
    StopSignals() {
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set_, &previous_);
    }
    ~StopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Waits up to `milliseconds`; true when a stop signal came.
    bool wait(long milliseconds) const {
        timespec left{milliseconds / 1000, (milliseconds % 1000) * 1000000};
        const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
        for (;;) {
            if (sigtimedwait(&set_, nullptr, &left) >= 0) {
                return true;
            }
            if (errno != EINTR) {
                return false;  // the time is up
            }
            const auto rest =
                std::chrono::duration_cast<std::chrono::nanoseconds>(until - Clock::now());
            if (rest.count() <= 0) {
                return false;
            }
            left = {static_cast<time_t>(rest.count() / 1000000000),
                    static_cast<long>(rest.count() % 1000000000)};
        }
    }

  private:
    sigset_t set_{}, previous_{};
};

long pollMilliseconds() {
    const char* text = std::getenv(kWatchPollVariable);
    if (text == nullptr) {
        return 1000;
    }
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value > 0 && value <= 600000 ? value : 1000;
}

// Row-major records (as read) into the column-major matrix the analysis takes.
Matrix recordMatrix(const std::vector<double>& records, std::size_t length) {
    const std::size_t rows = records.size() / length;
    std::vector<double> columns(records.size());
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < length; ++c) {
            columns[c * rows + r] = records[r * length + c];
        }
    }
    return Matrix(rows, length, std::move(columns));
}

}  // namespace

WatchedInput watchInput(InitsFollower& follower, const Options& options, const CellRow& names,
                        const Console& console, const RefreshOutputs& refresh) {
    const std::size_t length = 4 * names.size() + 1;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    const long poll = pollMilliseconds();
    const auto refreshEvery = std::chrono::duration<double>(options.refreshSeconds);
    const StopSignals signals;
    evidence::SequentialRun run = startDecision(options, {names.begin(), names.end()});
    std::vector<std::vector<bool>> announced(run.gates.size(),
                                             std::vector<bool>(names.size(), false));
    StatusBoard board(console.err);
    std::vector<double> records;
    bool changed = false;
    std::optional<Clock::time_point> lastRefresh;
    for (;;) {
        const std::size_t before = run.records;
        const std::size_t added = follower.poll(records);
        for (std::size_t r = before; r < before + added; ++r) {
            evidence::addRecord(run, &records[r * length]);
        }
        if (added > 0) {
            changed = true;
            if (terminal) {
                board.show(watchStatusLines(run, options.decide));
            } else if (options.decide) {
                for (std::size_t g = 0; g < run.gates.size(); ++g) {
                    for (std::size_t k = 0; k < names.size(); ++k) {
                        const bool decided = run.gates[g].receivers[k].decision !=
                                             evidence::SequentialDecision::Continue;
                        if (decided && !announced[g][k]) {
                            announced[g][k] = true;
                            console.err << decisionAnnouncement(run, g, k) << '\n';
                        }
                    }
                }
                console.err.flush();
            }
        }
        if (options.decide && run.records > 0 && run.allDecided()) {
            break;
        }
        if (changed && (!lastRefresh || Clock::now() - *lastRefresh >= refreshEvery)) {
            refresh(recordMatrix(records, length), follower.sha256());
            lastRefresh = Clock::now();
            changed = false;
        }
        if (signals.wait(poll)) {
            break;
        }
    }
    if (run.records == 0) {
        throw RuntimeError(options.input.filename().string() +
                           " holds no complete record; nothing was written");
    }
    return {recordMatrix(records, length), follower.sha256()};
}

}  // namespace ambiscan::app
