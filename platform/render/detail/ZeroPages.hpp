#pragma once

#include <cstddef>
#include <cstdint>

namespace ambiscan::render {

// Working memory that reads as zeros: fresh pages of the system, mapped in all at once when
// taken (one call, where faulting them in one at a time costs a fault for every page a long
// horizontal line crosses). The line raster and the marker layer keep theirs zero between uses
// (they clear only what they touched), so each worker zeroes its memory once a run.
class ZeroPages {
  public:
    ZeroPages() = default;
    ZeroPages(ZeroPages&& other) noexcept;
    ZeroPages& operator=(ZeroPages&& other) noexcept;
    ZeroPages(const ZeroPages&) = delete;
    ZeroPages& operator=(const ZeroPages&) = delete;
    ~ZeroPages();

    // `bytes` of zeros in place of what was held; throws std::bad_alloc when refused.
    void allocate(std::size_t bytes);
    bool empty() const { return bytes_ == 0; }
    std::uint8_t* data() const { return data_; }

  private:
    void release();

    std::uint8_t* data_ = nullptr;
    std::size_t bytes_ = 0;
};

}  // namespace ambiscan::render
