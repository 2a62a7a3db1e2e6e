#include "platform/render/detail/ZeroPages.hpp"

#include <sys/mman.h>

#include <new>
#include <utility>

namespace ambiscan::render {

ZeroPages::ZeroPages(ZeroPages&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}

ZeroPages& ZeroPages::operator=(ZeroPages&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

ZeroPages::~ZeroPages() {
    release();
}

void ZeroPages::allocate(std::size_t bytes) {
    release();
    if (bytes == 0) {
        return;
    }
    // Mapped in at once: faulting them in one by one, as a long horizontal line touches every
    // column's page, costs many times more (hundreds of faults a figure).
    void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (pages == MAP_FAILED) {
        throw std::bad_alloc();
    }
    data_ = static_cast<std::uint8_t*>(pages);
    bytes_ = bytes;
}

void ZeroPages::release() {
    if (data_ != nullptr) {
        munmap(data_, bytes_);
        data_ = nullptr;
        bytes_ = 0;
    }
}

}  // namespace ambiscan::render
