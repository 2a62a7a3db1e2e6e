#pragma once

namespace ambiscan {

// Keeps freed blocks of up to a few tens of megabytes with the process for the next ones. The
// figures of a long run make and drop columns of millions of values one after another; giving
// each back to the system and faulting fresh pages in again cost more than drawing them. The
// threads share a few heaps, so that one thread's freed blocks serve the next.
void reuseFreedMemory();

}  // namespace ambiscan
