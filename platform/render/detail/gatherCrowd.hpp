#pragma once

#include <cstddef>

#include "platform/graphics/LinePoints.hpp"
#include "platform/render/detail/LinePath.hpp"
#include "platform/render/detail/MarkerPainter.hpp"

namespace ambiscan::render {

// The column the path is gathering when p can be taken into it with the points after it: they
// crowd into it where nothing needs cutting and markers need no test (inside `gatherable`). Asked
// for nearly every point of a long line: inline, and cheap.
inline ColumnReducer::Column* crowdedColumn(Point p, const Box& gatherable, SubpathSorter& path,
                                            ColumnReducer& columns,
                                            const MarkerCollector* markers) {
    ColumnReducer::Column* column = path.passesOn() ? columns.gathering() : nullptr;
    if (column == nullptr || (markers && !markers->seen()) || !column->holds(p.x) ||
        !gatherable.holds(p) || !gatherable.holds({column->left, p.y}) ||
        !gatherable.holds({column->left + 1, p.y}))
        return nullptr;
    return column;
}

// Takes p (at i) and the points after it into that column while they crowd into it; returns the
// first point not taken.
std::size_t gatherCrowd(const graphics::LinePoints& pts, std::size_t i, Point p,
                        const PixelMapping& map, const Box& gatherable,
                        ColumnReducer::Column& column, MarkerCollector* markers);

}  // namespace ambiscan::render
