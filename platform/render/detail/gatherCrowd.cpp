#include "platform/render/detail/gatherCrowd.hpp"

#include "platform/numeric/VectorLanes.hpp"

namespace ambiscan::render {

std::size_t gatherCrowd(const graphics::LinePoints& pts, std::size_t i, Point p,
                        const PixelMapping& map, const Box& gatherable,
                        ColumnReducer::Column& column, MarkerCollector* markers) {
    if (markers)
        markers->addInside(p);
    ColumnReducer::Column run = column;
    run.take(p);
    const std::size_t n = pts.size();
    const double* xs = pts.plainX();
    const double* ys = pts.plainY();
    const double top = gatherable.top, bottom = gatherable.bottom;
    // Apart with markers and without: each loop as tight as it can be.
    const auto gather = [&]<bool kMarkers>() {
        return withLanes(widestLanes(), [&]<int kLanes>() AMBISCAN_INLINE_LANES {
            return gatherColumn<kMarkers, kLanes>(xs, ys, i + 1, n, map, top, bottom, run, markers);
        });
    };
    const std::size_t next = markers ? gather.operator()<true>() : gather.operator()<false>();
    column = run;
    return next;
}

}  // namespace ambiscan::render
