#include <algorithm>
#include <cmath>

#include "platform/graphics/Colors.hpp"
#include "platform/render/detail/DataPainter.hpp"
#include "platform/render/detail/LinePath.hpp"

namespace ambiscan::render {

using graphics::ColorSpec;
using graphics::Rgb;

namespace {

// The colour value of face r: per vertex (its first vertex), per face, or one for all.
double faceColorValue(const graphics::PatchObject& p, std::size_t face, std::size_t firstVertex) {
    const Matrix& c = p.cdata;
    if (c.empty())
        return 1;
    if (c.numel() == p.vertices.rows() && firstVertex < c.numel())
        return c[firstVertex];
    if (c.numel() == p.faces.rows() && face < c.numel())
        return c[face];
    return c[0];
}

std::vector<std::size_t> faceVertices(const graphics::PatchObject& p, std::size_t face) {
    std::vector<std::size_t> v;
    for (std::size_t k = 0; k < p.faces.cols(); ++k) {
        const double index = p.faces(face, k);
        if (!(index >= 1 && index <= static_cast<double>(p.vertices.rows())))
            break;
        v.push_back(static_cast<std::size_t>(index) - 1);
    }
    return v;
}

// The fill (or edge) colour of a face, whose first vertex is given.
std::optional<Rgb> faceColor(const graphics::PatchObject& p, std::size_t face,
                             std::size_t firstVertex, const Matrix& colormap,
                             const std::array<double, 2>& clim, bool edge) {
    if (edge && p.edgeColor.kind == ColorSpec::Kind::Auto)
        return Rgb{0, 0, 0};
    const Rgb mapped =
        graphics::colormapColor(colormap, faceColorValue(p, face, firstVertex), clim);
    return resolve(edge ? p.edgeColor : p.faceColor, mapped);
}

std::optional<Rgb> firstFaceColor(const graphics::PatchObject& patch, const Matrix& colormap,
                                  const std::array<double, 2>& clim, bool edge) {
    if (patch.faces.rows() == 0)
        return std::nullopt;
    const auto v = faceVertices(patch, 0);
    return faceColor(patch, 0, v.empty() ? 0 : v[0], colormap, clim, edge);
}

}  // namespace

std::optional<Rgb> patchFaceColor(const graphics::PatchObject& patch, const Matrix& colormap,
                                  const std::array<double, 2>& clim) {
    return firstFaceColor(patch, colormap, clim, false);
}

std::optional<Rgb> patchEdgeColor(const graphics::PatchObject& patch, const Matrix& colormap,
                                  const std::array<double, 2>& clim) {
    return firstFaceColor(patch, colormap, clim, true);
}

void drawPatch(cairo_t* cr, const Frame& frame, const graphics::PatchObject& patch,
               const Matrix& colormap, const std::array<double, 2>& clim) {
    if (patch.vertices.cols() < 2)
        return;
    cairo_save(cr);
    cairo_rectangle(cr, frame.left, frame.top, frame.width, frame.height);
    cairo_clip(cr);
    // Corners snapped to pixel centres keep the one-pixel edges of bars sharp.
    auto corner = [&](std::size_t v) {
        const double x = std::clamp(frame.px(patch.vertices(v, 0)), -1e5, 1e5);
        const double y = std::clamp(frame.py(patch.vertices(v, 1)), -1e5, 1e5);
        return Point{std::round(x) + 0.5, std::round(y) + 0.5};
    };
    auto tracePath = [&](const std::vector<std::size_t>& vertices) {
        bool first = true;
        for (const std::size_t v : vertices) {
            const double xd = patch.vertices(v, 0), yd = patch.vertices(v, 1);
            if (!std::isfinite(xd) || !std::isfinite(yd))
                continue;
            const Point p = corner(v);
            if (first) {
                cairo_move_to(cr, p.x, p.y);
                first = false;
            } else {
                cairo_line_to(cr, p.x, p.y);
            }
        }
        cairo_close_path(cr);
    };
    // Fills, one path per run of faces of the same colour.
    for (int pass = 0; pass < 2; ++pass) {
        std::optional<Rgb> current;
        bool pending = false;
        auto finish = [&]() {
            if (pending && current) {
                setColor(cr, *current);
                if (pass == 0) {
                    cairo_fill(cr);
                } else {
                    cairo_set_line_width(cr, std::max(1.0, patch.lineWidth * 1.75 - 0.5));
                    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
                    cairo_set_dash(cr, nullptr, 0, 0);
                    cairo_stroke(cr);
                }
            }
            cairo_new_path(cr);
            pending = false;
        };
        for (std::size_t f = 0; f < patch.faces.rows(); ++f) {
            const auto vertices = faceVertices(patch, f);
            if (vertices.size() < 2)
                continue;
            const auto color = faceColor(patch, f, vertices[0], colormap, clim, pass == 1);
            if (!color)
                continue;
            if (pending && !(current == color))
                finish();
            current = color;
            tracePath(vertices);
            pending = true;
        }
        finish();
    }
    cairo_restore(cr);
}

}  // namespace ambiscan::render
