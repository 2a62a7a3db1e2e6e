#pragma once

#include <functional>
#include <string>

#include "app/InitsFollower.hpp"
#include "app/Options.hpp"
#include "platform/base/Console.hpp"
#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::app {

// The records read when watching ended, and the SHA-256 of the bytes read.
struct WatchedInput {
    Matrix inits;
    std::string sha256;
};

// Writes every output from the records so far (and the digest of the bytes read).
using RefreshOutputs = std::function<void(const Matrix& inits, const std::string& sha256)>;

// Environment variable: milliseconds between two looks at the input (default 1000).
inline constexpr const char* kWatchPollVariable = "AMBISCAN_WATCH_POLL_MS";

// Follows the input until every gate is decided (with --decide) or SIGINT or SIGTERM arrives,
// updating the gates and intervals after each new record: on a terminal (standard error) one
// status line per receiver kept in place, elsewhere one line as each gate decides. Calls
// `refresh` when records came in and `--refresh` seconds have passed since the last call (the
// first as soon as there are records). A truncated or replaced input ends it with a
// RuntimeError; so does ending without a single record.
WatchedInput watchInput(InitsFollower& follower, const Options& options, const CellRow& names,
                        const Console& console, const RefreshOutputs& refresh);

}  // namespace ambiscan::app
