#include "platform/graphics/PointExtents.hpp"

namespace ambiscan::graphics {

void widenByPoints(const double* x, const double* y, std::size_t n, Extent& ex, Extent& ey,
                   int lanes) {
    withLanes(lanes,
              [&]<int kLanes>() AMBISCAN_INLINE_LANES { widenByPoints<kLanes>(x, y, n, ex, ey); });
}

}  // namespace ambiscan::graphics
