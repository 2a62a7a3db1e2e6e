#pragma once

namespace ambiscan::app {

// The exit status once standard output is flushed: a failed write to it (a full disk, a
// closed pipe) is said on standard error and makes a run that succeeded, or failed only a
// gate, exit 1, as cat and ls do.
int finishStandardOutput(int status);

}  // namespace ambiscan::app
