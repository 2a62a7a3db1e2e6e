#pragma once

#include <cairo.h>

#include <string>

namespace ambiscan::render {

// Adds the outline of one marker (o x + * . s d v ^ < > p h), size pixels across, centred on
// (x, y), to the current path. Open shapes (x + *) add strokes only.
void addMarker(cairo_t* cr, const std::string& marker, double x, double y, double size);

// Markers drawn as strokes only, which no face colour can fill.
bool isOpenMarker(const std::string& marker);

}  // namespace ambiscan::render
