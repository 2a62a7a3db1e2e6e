#include "platform/render/detail/CoverageLayer.hpp"

#include <algorithm>
#include <cstring>

namespace ambiscan::render {

void CoverageLayer::allocate() {
    cells_.allocate(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
}

void CoverageLayer::blendInto(cairo_surface_t* image, const graphics::Rgb& colour) {
    if (firstCol_ > lastCol_)
        return;
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const long stride = cairo_image_surface_get_stride(image);
    const PixelBlend paint(colour);
    for (long c = firstCol_; c <= lastCol_; ++c) {
        std::uint8_t* column = cell(c, 0);
        long r = firstRow_;
        while (r <= lastRow_) {
            // Eight empty cells at a time: scattered markers leave most of the rectangle empty.
            std::uint64_t eight = 0;
            if (r + 8 <= lastRow_ + 1) {
                std::memcpy(&eight, column + r, 8);
                if (eight == 0) {
                    r += 8;
                    continue;
                }
            }
            const long end = std::min(r + 8, lastRow_ + 1);
            for (; r < end; ++r) {
                if (column[r] == 0)
                    continue;
                paint.into(reinterpret_cast<std::uint32_t*>(data + r * stride) + c, column[r]);
                column[r] = 0;
            }
        }
    }
    firstCol_ = 0;
    lastCol_ = -1;
    cairo_surface_mark_dirty(image);
}

void CoverageLayer::moveIntoMask(cairo_surface_t* mask) {
    if (firstCol_ > lastCol_)
        return;
    cairo_surface_flush(mask);
    unsigned char* data = cairo_image_surface_get_data(mask);
    const long stride = cairo_image_surface_get_stride(mask);
    for (long c = firstCol_; c <= lastCol_; ++c) {
        std::uint8_t* column = cell(c, 0);
        for (long r = firstRow_; r <= lastRow_; ++r) {
            data[r * stride + c] = column[r];
            column[r] = 0;
        }
    }
    firstCol_ = 0;
    lastCol_ = -1;
    cairo_surface_mark_dirty(mask);
}

}  // namespace ambiscan::render
