#include "platform/render/detail/MarkerStamp.hpp"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/numeric/VectorLanes.hpp"
#include "platform/render/detail/Markers.hpp"

namespace ambiscan::render {

namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

// std::lround without a library call, for positions near the image: twice per marker.
long roundToLong(double v) {
    const auto whole = static_cast<long>(v);  // towards zero
    const double rest = v - static_cast<double>(whole);
    return whole + (rest >= 0.5 ? 1 : 0) - (rest <= -0.5 ? 1 : 0);
}

}  // namespace

MarkerStamp::MarkerStamp(const std::string& marker, double size, double edgeWidth,
                         int layerHeight) {
    // Stars reach 1.15 times the radius; the stroke and anti-aliasing add their share.
    const double reach = size / 2 * 1.2 + edgeWidth + 2;
    half_ = static_cast<int>(std::ceil(reach)) + 1;
    side_ = 2 * half_ + 2;
    lanes_ = widestLanes();
    blockRows_ = std::max(side_, kBlockRows);
    const std::size_t count = static_cast<std::size_t>(kPhases * kPhases);
    faces_.resize(count);
    edges_.resize(count);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_A8, side_, side_),
                    cairo_surface_destroy);
    for (int py = 0; py < kPhases; ++py) {
        for (int px = 0; px < kPhases; ++px) {
            const double cx = half_ + static_cast<double>(px) / kPhases;
            const double cy = half_ + static_cast<double>(py) / kPhases;
            for (int pass = 0; pass < 2; ++pass) {
                {
                    Context cr(cairo_create(surface.get()), cairo_destroy);
                    cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
                    cairo_paint(cr.get());
                    cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
                    cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
                    addMarker(cr.get(), marker, cx, cy, size);
                    if (pass == 0) {
                        cairo_fill(cr.get());
                    } else {
                        cairo_set_line_cap(cr.get(), CAIRO_LINE_CAP_BUTT);
                        cairo_set_line_join(cr.get(), CAIRO_LINE_JOIN_MITER);
                        cairo_set_line_width(cr.get(), edgeWidth);
                        cairo_stroke(cr.get());
                    }
                }
                cairo_surface_flush(surface.get());
                Mask m = makeMask(cairo_image_surface_get_data(surface.get()),
                                  cairo_image_surface_get_stride(surface.get()), layerHeight);
                auto& target = pass == 0 ? faces_ : edges_;
                target[static_cast<std::size_t>(py * kPhases + px)] = std::move(m);
            }
        }
    }
}

MarkerStamp::Mask MarkerStamp::makeMask(const unsigned char* data, int stride,
                                        int layerHeight) const {
    Mask m;
    for (int c = 0; c < side_; ++c) {
        int first = side_, last = -1;
        for (int r = 0; r < side_; ++r) {
            const std::uint8_t a = data[static_cast<std::ptrdiff_t>(r) * stride + c];
            if (a == 0)
                continue;
            m.covers.push_back({static_cast<std::int16_t>(r), static_cast<std::int16_t>(c), a});
            first = std::min(first, r);
            last = r;
        }
        // Blocks stay within the mask's blockRows_ rows, so that a stamp that has them inside
        // the layer holds them; where two overlap, a row counts in the first only.
        for (int r = first; r <= last;) {
            const int top = std::min(r, blockRows_ - kBlockRows);
            Block b{c * layerHeight + top, {}};
            for (int k = r - top; k < kBlockRows && top + k <= last; ++k)
                b.alpha[static_cast<std::size_t>(k)] =
                    data[static_cast<std::ptrdiff_t>(top + k) * stride + c];
            m.blocks.push_back(b);
            r = top + kBlockRows;
            while (r <= last && data[static_cast<std::ptrdiff_t>(r) * stride + c] == 0)
                ++r;
        }
    }
    return m;
}

bool MarkerStamp::canStamp(cairo_t* cr) {
    cairo_surface_t* target = cairo_get_target(cr);
    if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(target) != CAIRO_FORMAT_RGB24) {
        return false;
    }
    return drawnWithoutTransform(cr);
}

bool MarkerStamp::drawnWithoutTransform(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    return m.xx == 1 && m.yy == 1 && m.xy == 0 && m.yx == 0 && m.x0 == 0 && m.y0 == 0;
}

const MarkerStamp::Mask& MarkerStamp::mask(const std::vector<Mask>& masks, double x, double y,
                                           long& left, long& top) const {
    // In quarters of a pixel, rounded half away from zero; a quarter's pixel and phase follow
    // by shifting (flooring, also below zero) and masking.
    static_assert(kPhases == 4);
    const long qx = roundToLong(x * kPhases);
    const long qy = roundToLong(y * kPhases);
    const long ix = qx >> 2, iy = qy >> 2;
    const long px = qx & 3, py = qy & 3;
    left = ix - half_;
    top = iy - half_;
    return masks[static_cast<std::size_t>(py * kPhases + px)];
}

void MarkerStamp::stamp(CoverageLayer& layer, const std::vector<Mask>& masks, double x,
                        double y) const {
    long left = 0, top = 0;
    const Mask& m = mask(masks, x, y, left, top);
    const long c0 = std::max(0L, left), c1 = std::min<long>(layer.width() - 1, left + side_ - 1);
    const long r0 = std::max(0L, top), r1 = std::min<long>(layer.height() - 1, top + side_ - 1);
    if (c0 > c1 || r0 > r1)
        return;
    layer.reserve(c0, r0, c1, r1);
    if (c0 == left && r0 == top && c1 == left + side_ - 1 && top + blockRows_ <= layer.height()) {
        // Wholly inside, as nearly every marker is: no bounds to test, sixteen rows at once.
        // The corner by value: the cells written could otherwise be where it is kept.
        std::uint8_t* corner = layer.cell(left, top);
        withLanes(lanes_, [&m, corner]<int kLanes>() AMBISCAN_INLINE_LANES {
            for (const Block& b : m.blocks)
                CoverageLayer::add16<kLanes>(corner + b.offset, b.alpha.data());
        });
        return;
    }
    for (const Cover& k : m.covers) {
        const long row = top + k.row, col = left + k.col;
        if (row >= r0 && row <= r1 && col >= c0 && col <= c1)
            CoverageLayer::add(layer.cell(col, row), k.alpha);
    }
}

void MarkerStamp::stampFace(CoverageLayer& layer, double x, double y) const {
    stamp(layer, faces_, x, y);
}

void MarkerStamp::stampEdge(CoverageLayer& layer, double x, double y) const {
    stamp(layer, edges_, x, y);
}

const MarkerStamp& MarkerStamps::stamp(const std::string& marker, double size, double edgeWidth,
                                       int layerHeight) {
    for (const Made& m : made_) {
        if (m.marker == marker && m.size == size && m.edgeWidth == edgeWidth &&
            m.layerHeight == layerHeight) {
            return m.stamp;
        }
    }
    if (made_.size() == kMost) {
        made_.pop_front();
    }
    made_.push_back(
        {marker, size, edgeWidth, layerHeight, MarkerStamp(marker, size, edgeWidth, layerHeight)});
    return made_.back().stamp;
}

}  // namespace ambiscan::render
