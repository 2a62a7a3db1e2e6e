#include "platform/render/detail/LineRaster.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/numeric/VectorLanes.hpp"
#include "platform/render/detail/PixelBlend.hpp"

namespace ambiscan::render {

namespace {

// The part of the unit interval [i, i + 1] inside [lo, hi].
float share(long i, double lo, double hi) {
    const double from = std::max(static_cast<double>(i), lo);
    const double to = std::min(static_cast<double>(i + 1), hi);
    return static_cast<float>(std::clamp(to - from, 0.0, 1.0));
}

// Several per pixel row of every segment: without a library call.
long floorToLong(double v) {
    const auto i = static_cast<long>(v);
    return i - (static_cast<double>(i) > v ? 1 : 0);
}

}  // namespace

void LineRaster::begin(double lineWidth, Clip clip) {
    half_ = lineWidth / 2;
    fullest_ = std::min(1.0, lineWidth);
    firstCol_ = std::max(0L, floorToLong(clip.left));
    lastCol_ = std::min(static_cast<long>(width_), static_cast<long>(std::ceil(clip.right))) - 1;
    firstRow_ = std::max(0L, floorToLong(clip.top));
    lastRow_ = std::min(static_cast<long>(height_), static_cast<long>(std::ceil(clip.bottom))) - 1;
    const auto w = static_cast<std::size_t>(width_), h = static_cast<std::size_t>(height_);
    if (coverage_.empty()) {
        coverage_.allocate(w * h);
        segments_.allocate(w * h);
        colFrom_.assign(w, height_);
        colTo_.assign(w, -1);
    }
    colShare_.assign(w, 0.0f);
    rowShare_.assign(h, 0.0f);
    for (long c = firstCol_; c <= lastCol_; ++c)
        colShare_[static_cast<std::size_t>(c)] = share(c, clip.left, clip.right);
    for (long r = firstRow_; r <= lastRow_; ++r)
        rowShare_[static_cast<std::size_t>(r)] = share(r, clip.top, clip.bottom);
}

inline void LineRaster::cover(std::uint8_t& coverage, std::uint8_t& segment, double distance,
                              Pen pen) {
    const double c = std::clamp(pen.edge - distance, 0.0, pen.fullest);
    const auto level = static_cast<std::uint32_t>(c * 255 + 0.5);
    const std::uint32_t old = coverage;
    // At the joint with the segment before, the larger holds: one stroke there, not two. Where
    // strokes cross, each lets through what the other leaves.
    // (A pixel last covered a multiple of 255 segments ago counts as a joint: harmless.)
    const bool joint = segment == pen.segment || segment == pen.previous;
    std::uint32_t crossed = old;
    addCoverage(crossed, level);
    const std::uint32_t joined = level > old ? level : old;
    coverage = static_cast<std::uint8_t>(joint ? joined : crossed);
    segment = level > 0 ? pen.segment : segment;
}

// This and the painting below are compiled also for AVX2 where there is four-lane code (see
// VectorLanes): a crowded line's cells are millions a figure.
AMBISCAN_ALSO_FOR_AVX2 void LineRaster::coverRows(std::uint8_t* coverage, std::uint8_t* segments,
                                                  long from, long to, const Steep& s, double centre,
                                                  Pen pen) {
    // In pieces: first the levels, a loop without branches in single precision (four rows at
    // once in vector code, within a ten-thousandth of a pixel here), then the cells.
    constexpr int kPiece = 128;
    std::uint16_t levels[kPiece];
    const auto across = static_cast<float>(s.ax - centre);
    const auto slope = static_cast<float>(s.slope), cosine = static_cast<float>(s.cosine);
    const auto edge = static_cast<float>(pen.edge), fullest = static_cast<float>(pen.fullest);
    for (long start = from; start <= to; start += kPiece) {
        const int count = static_cast<int>(std::min<long>(kPiece, to - start + 1));
        // From the segment's start to the first row centre, along the walk.
        const auto down = static_cast<float>(static_cast<double>(start) + 0.5 - s.ay);
        for (int k = 0; k < count; ++k) {
            const float d = std::abs(across + (down + static_cast<float>(k)) * slope) * cosine;
            const float c = std::min(std::max(edge - d, 0.0f), fullest);
            levels[k] = static_cast<std::uint16_t>(static_cast<int>(c * 255 + 0.5f));
        }
        std::uint8_t* cells = coverage + start;
        std::uint8_t* last = segments + start;
        for (int k = 0; k < count; ++k) {
            const std::uint16_t level = levels[k];
            const std::uint16_t old = cells[k];
            const std::uint16_t segment = last[k];
            const bool joint = segment == pen.segment || segment == pen.previous;
            std::uint16_t crossed = old;
            addCoverage(crossed, level);
            const std::uint16_t joined = level > old ? level : old;
            cells[k] = static_cast<std::uint8_t>(joint ? joined : crossed);
            last[k] = static_cast<std::uint8_t>(level > 0 ? pen.segment : segment);
        }
    }
}

void LineRaster::touch(long col, long from, long to) {
    const auto c = static_cast<std::size_t>(col);
    colFrom_[c] = std::min(colFrom_[c], from);
    colTo_[c] = std::max(colTo_[c], to);
}

void LineRaster::segment(double ax, double ay, double bx, double by) {
    if (!(std::isfinite(ax) && std::isfinite(ay) && std::isfinite(bx) && std::isfinite(by)))
        return;
    const std::uint8_t previous = segmentNumber_;
    // Counted round 1..255: 0 marks pixels no segment has touched.
    segmentNumber_ = static_cast<std::uint8_t>(segmentNumber_ == 255 ? 1 : segmentNumber_ + 1);
    const double dx = bx - ax, dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    const double length = std::sqrt(length2);
    const double inverse2 = length2 > 0 ? 1 / length2 : 0;
    // Pixel centres farther than this from the segment get nothing.
    const double reach = half_ + 0.5;
    const Pen pen{reach, fullest_, segmentNumber_, previous};
    std::uint8_t* const coverage = coverage_.data();
    std::uint8_t* const segments = segments_.data();
    const auto distance = [&](double px, double py) {
        const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) * inverse2, 0.0, 1.0);
        const double ex = ax + t * dx - px, ey = ay + t * dy - py;
        return std::sqrt(ex * ex + ey * ey);
    };
    // Walk the longer direction one pixel at a time; across it, only the pixels within reach.
    const bool steep = std::abs(dy) >= std::abs(dx);
    const double along0 = steep ? std::min(ay, by) : std::min(ax, bx);
    const double along1 = steep ? std::max(ay, by) : std::max(ax, bx);
    const double longer = steep ? std::abs(dy) : std::abs(dx);
    const double slope = longer > 0 ? (steep ? dx / dy : dy / dx) : 0;
    // Across the walk, a distance d from the segment is d / cosine away from its middle.
    const double cosine = longer > 0 ? longer / length : 1;
    const double across = reach / cosine;
    const long first = std::max(steep ? firstRow_ : firstCol_, floorToLong(along0 - reach));
    const long last = std::min(steep ? lastRow_ : lastCol_, floorToLong(along1 + reach));
    const long acrossFirst = steep ? firstCol_ : firstRow_;
    const long acrossLast = steep ? lastCol_ : lastRow_;
    if (steep && first <= last) {
        // The columns a steep segment can reach, each over all the rows it walks.
        const double x0 = std::min(ax, bx), x1 = std::max(ax, bx);
        const long c0 = std::max(firstCol_, floorToLong(x0 - across));
        const long c1 = std::min(lastCol_, floorToLong(x1 + across));
        for (long c = c0; c <= c1; ++c)
            touch(c, first, last);
    }
    const auto height = static_cast<std::size_t>(height_);
    // One step along the walk: the pixels across it within reach, their distance from the
    // segment measured exactly (near the ends) or as the offset from its middle (elsewhere).
    const auto row = [&](long i, bool exact) {
        const double centre = static_cast<double>(i) + 0.5;
        const double onLine = std::clamp(centre, along0, along1);
        const double mid = steep ? ax + (onLine - ay) * slope : ay + (onLine - ax) * slope;
        const long j0 = std::max(acrossFirst, floorToLong(mid - across));
        const long j1 = std::min(acrossLast, floorToLong(mid + across));
        if (j0 > j1)
            return;
        if (steep) {
            std::size_t cell = static_cast<std::size_t>(j0) * height + static_cast<std::size_t>(i);
            double offset = static_cast<double>(j0) + 0.5 - mid;
            for (long j = j0; j <= j1; ++j, cell += height, offset += 1) {
                cover(coverage[cell], segments[cell],
                      exact ? distance(static_cast<double>(j) + 0.5, centre)
                            : std::abs(offset) * cosine,
                      pen);
            }
        } else {
            touch(i, j0, j1);
            const std::size_t column = static_cast<std::size_t>(i) * height;
            double offset = static_cast<double>(j0) + 0.5 - mid;
            for (long j = j0; j <= j1; ++j, offset += 1) {
                const std::size_t cell = column + static_cast<std::size_t>(j);
                cover(coverage[cell], segments[cell],
                      exact ? distance(centre, static_cast<double>(j) + 0.5)
                            : std::abs(offset) * cosine,
                      pen);
            }
        }
    };
    // Away from the ends every pixel's nearest point of the segment lies inside it, within reach
    // times the sine along the walk: there the offset from the middle gives the distance.
    const long innerFirst = std::max(first, static_cast<long>(std::ceil(along0 + reach - 0.5)));
    const long innerLast = std::min(last, floorToLong(along1 - reach - 0.5));
    if (innerFirst > innerLast) {
        for (long i = first; i <= last; ++i)
            row(i, true);
        return;
    }
    for (long i = first; i < innerFirst; ++i)
        row(i, true);
    if (steep) {
        coverSteepMiddle({ax, ay, slope, cosine, across}, innerFirst, innerLast, pen);
    } else {
        for (long i = innerFirst; i <= innerLast; ++i)
            row(i, false);
    }
    for (long i = innerLast + 1; i <= last; ++i)
        row(i, true);
}

void LineRaster::coverSteepMiddle(const Steep& s, long firstRow, long lastRow, Pen pen) {
    // Column by column, whose rows lie together in memory: a crowded line's tall strokes cost a
    // few cells a row, not a scattered row of cells each.
    const auto midAt = [&](double rowCentre) { return s.ax + (rowCentre - s.ay) * s.slope; };
    const double midFirst = midAt(static_cast<double>(firstRow) + 0.5);
    const double midLast = midAt(static_cast<double>(lastRow) + 0.5);
    // Only the columns whose centre comes within reach: those beyond would be given nothing.
    // (A hundredth of a pixel to spare: levels are worked out in single precision.)
    const double spare = 0.01;
    const long j0 =
        std::max(firstCol_, floorToLong(std::min(midFirst, midLast) - s.across - spare - 0.5) + 1);
    const long j1 = std::min(
        lastCol_, -floorToLong(-(std::max(midFirst, midLast) + s.across + spare - 0.5)) - 1);
    for (long j = j0; j <= j1; ++j) {
        const double centre = static_cast<double>(j) + 0.5;
        long from = firstRow, to = lastRow;
        if (s.slope != 0) {
            // The rows whose middle lies within reach across, a row more each side.
            // (Kept to the rows walked: a slope near zero puts them far off.)
            const auto rowAt = [&](double side) {
                return std::clamp((centre + side - s.ax) / s.slope + s.ay - 0.5,
                                  static_cast<double>(firstRow) - 1,
                                  static_cast<double>(lastRow) + 1);
            };
            const double t0 = rowAt(-s.across), t1 = rowAt(s.across);
            from = std::max(from, floorToLong(std::min(t0, t1)));
            to = std::min(to, floorToLong(std::max(t0, t1)) + 1);
        }
        const std::size_t column = static_cast<std::size_t>(j) * static_cast<std::size_t>(height_);
        coverRows(coverage_.data() + column, segments_.data() + column, from, to, s, centre, pen);
    }
}

AMBISCAN_ALSO_FOR_AVX2 void LineRaster::columnAlphas(long col, long from, long count,
                                                     const CoverageLayer* layer,
                                                     std::uint8_t* alphas) const {
    const auto ci = static_cast<std::size_t>(col);
    const std::uint8_t* cells =
        coverage_.data() + ci * static_cast<std::size_t>(height_) + static_cast<std::size_t>(from);
    const float* shares = rowShare_.data() + from;
    const float colShare = colShare_[ci];
    // A loop without branches: kept to the clip's share of the pixel (exact where it keeps
    // all of it).
    for (long k = 0; k < count; ++k)
        alphas[k] =
            static_cast<std::uint8_t>(static_cast<float>(cells[k]) * colShare * shares[k] + 0.5f);
    if (layer != nullptr) {
        // The layer's coverage over the line's, as painting one after the other would leave it
        // (where the line has none, the layer's alone).
        const std::uint8_t* extra = layer->cell(col, from);
        for (long k = 0; k < count; ++k) {
            std::uint32_t both = alphas[k];
            addCoverage(both, std::uint32_t{extra[k]});
            alphas[k] = static_cast<std::uint8_t>(both);
        }
    }
}

void LineRaster::forgetColumn(long col, long from, long to, CoverageLayer* layer) {
    const auto ci = static_cast<std::size_t>(col);
    const std::size_t first =
        ci * static_cast<std::size_t>(height_) + static_cast<std::size_t>(from);
    const auto count = static_cast<std::size_t>(to - from + 1);
    std::fill_n(coverage_.data() + first, count, std::uint8_t{0});
    std::fill_n(segments_.data() + first, count, std::uint8_t{0});
    if (layer != nullptr)
        std::fill_n(layer->cell(col, from), count, std::uint8_t{0});
    colFrom_[ci] = height_;
    colTo_[ci] = -1;
}

AMBISCAN_ALSO_FOR_AVX2 void LineRaster::blendPixels(cairo_surface_t* image,
                                                    const graphics::Rgb& colour,
                                                    CoverageLayer* alsoLayer) {
    cairo_surface_flush(image);
    auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image));
    const long pixelStride = cairo_image_surface_get_stride(image) / 4;
    const PixelBlend paint(colour);
    if (alsoLayer != nullptr && alsoLayer->empty())
        alsoLayer = nullptr;
    // In pieces of a column: first the coverage of each pixel, then the pixels, blended without
    // branches (most are partly covered, at no pattern to predict). Cells are only read while
    // blending and cleared after: a byte written may alias anything.
    constexpr long kPiece = 256;
    long c = firstCol_;
    // Eight columns side by side at once, down the rows any of them covers: a pixel's four
    // bytes lie next to its neighbours', not to the pixels below.
    constexpr long kSide = 8;
    for (; c + kSide - 1 <= lastCol_; c += kSide) {
        long from = height_, to = -1;
        for (long j = c; j < c + kSide; ++j) {
            from = std::min(from, colFrom_[static_cast<std::size_t>(j)]);
            to = std::max(to, colTo_[static_cast<std::size_t>(j)]);
        }
        if (from > to)
            continue;
        // Rows a column does not cover hold no coverage: they are blended at none, which
        // leaves their pixels as they are.
        std::uint8_t alphas[kSide][kPiece];
        alignas(32) std::uint32_t side[kPiece][kSide];
        for (long start = from; start <= to; start += kPiece) {
            const long count = std::min(kPiece, to - start + 1);
            for (long j = 0; j < kSide; ++j)
                columnAlphas(c + j, start, count, alsoLayer, alphas[j]);
            for (long k = 0; k < count; ++k)
                for (long j = 0; j < kSide; ++j)
                    side[k][j] = alphas[j][k];
            std::uint32_t* pixel = pixels + start * pixelStride + c;
            for (long k = 0; k < count; ++k, pixel += pixelStride)
                paint.over8(pixel, side[k]);
        }
        for (long j = c; j < c + kSide; ++j)
            forgetColumn(j, from, to, alsoLayer);
    }
    // The columns left over, one at a time.
    for (; c <= lastCol_; ++c) {
        const long from = colFrom_[static_cast<std::size_t>(c)];
        const long to = colTo_[static_cast<std::size_t>(c)];
        if (from > to)
            continue;
        std::uint32_t* pixel = pixels + from * pixelStride + c;
        std::uint8_t alphas[kPiece];
        for (long start = from; start <= to; start += kPiece) {
            const long count = std::min(kPiece, to - start + 1);
            columnAlphas(c, start, count, alsoLayer, alphas);
            for (long k = 0; k < count; ++k, pixel += pixelStride)
                *pixel = paint.over(*pixel, alphas[k]);
        }
        forgetColumn(c, from, to, alsoLayer);
    }
    cairo_surface_mark_dirty(image);
}

void LineRaster::blendInto(cairo_surface_t* image, const graphics::Rgb& colour,
                           CoverageLayer* alsoLayer) {
    blendPixels(image, colour, alsoLayer);
}

}  // namespace ambiscan::render
