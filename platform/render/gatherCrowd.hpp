#pragma once

#include <cstddef>

#include "platform/graphics/LinePoints.hpp"
#include "platform/render/LinePath.hpp"
#include "platform/render/MarkerPainter.hpp"

namespace ambiscan::render {

// Takes p and the points after it into the column the path is gathering, while they crowd into
// it where nothing needs cutting and markers need no test (inside `gatherable`); returns the
// first point not taken, i when p cannot be.
std::size_t gatherCrowd(const graphics::LinePoints& pts, std::size_t i, Point p,
                        const PixelMapping& map, const Box& gatherable, SubpathSorter& path,
                        ColumnReducer& columns, MarkerCollector* markers);

}  // namespace ambiscan::render
