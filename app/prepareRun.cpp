#include "app/prepareRun.hpp"

#include <new>
#include <string>

#include "platform/base/RuntimeError.hpp"
#include "platform/render/prepareFonts.hpp"
#include "platform/runtime/AddressSpace.hpp"

namespace ambiscan::app {

namespace {

// The address space a run takes beyond its records at most: six figure threads' stacks, the
// two more malloc heaps drawing threads may open (each reserved at twice its 64 MB while it
// is aligned), canvases and the font library's start-up.
constexpr std::size_t kRunRoom = std::size_t{288} << 20;
// The working copies of the records the analysis holds at once, at most, in matrices' worth.
constexpr std::size_t kRecordCopies = 6;

}  // namespace

void prepareRun(const Matrix& inits) {
    const std::size_t records = inits.rows();
    const std::size_t bytes = kRunRoom + kRecordCopies * inits.numel() * sizeof(double);
    try {
        if (!runtime::hasAddressSpaceFor(bytes)) {
            throw std::bad_alloc();
        }
        render::prepareFonts();
    } catch (const std::exception&) {
        throw RuntimeError("not enough memory for " + std::to_string(records) +
                           (records == 1 ? " record" : " records"));
    }
}

}  // namespace ambiscan::app
