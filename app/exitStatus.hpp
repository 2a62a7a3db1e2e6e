#pragma once

namespace ambiscan::app {

// Process exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitArgumentCount = 2;  // also a command line the program cannot take
inline constexpr int kExitGateFailed = 3;     // every output written, a required limit missed
inline constexpr int kExitUndecided = 4;      // with --decide: a gate still open, none failed

}  // namespace ambiscan::app
