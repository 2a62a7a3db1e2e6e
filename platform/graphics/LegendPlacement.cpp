#include "platform/graphics/LegendPlacement.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/graphics/LinePoints.hpp"

namespace ambiscan::graphics {

namespace {

struct Box {
    double x0, x1, y0, y1;
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// The points sampled along a segment, s = 1..steps at t = s / (steps + 1), in axes fractions.
// Each step of the arithmetic is monotone in s, so along either axis the samples only rise or
// only fall; the samples inside a box are then one run, whose ends a search finds exactly.
class SegmentSamples {
  public:
    SegmentSamples(double x, double y, double x2, double y2, int steps,
                   const std::array<double, 2>& xr, double xs, const std::array<double, 2>& yr,
                   double ys)
        : x_(x),
          y_(y),
          dx_(x2 - x),
          dy_(y2 - y),
          steps_(steps),
          xr0_(xr[0]),
          yr0_(yr[0]),
          xs_(xs),
          ys_(ys) {}

    // How many samples fall in the box, as testing each would find.
    long countIn(const Box& b) const {
        const double xa = fx(1), xb = fx(steps_), ya = fy(1), yb = fy(steps_);
        if (std::max(xa, xb) < b.x0 || std::min(xa, xb) > b.x1 || std::max(ya, yb) < b.y0 ||
            std::min(ya, yb) > b.y1) {
            return 0;
        }
        int lo = 1, hi = steps_;
        const auto fxOf = [this](int s) { return fx(s); };
        const auto fyOf = [this](int s) { return fy(s); };
        keepWithin(fxOf, dx_, b.x0, b.x1, lo, hi);
        keepWithin(fyOf, dy_, b.y0, b.y1, lo, hi);
        return hi >= lo ? hi - lo + 1 : 0;
    }

  private:
    double t(int s) const { return static_cast<double>(s) / static_cast<double>(steps_ + 1); }
    double fx(int s) const { return (x_ + dx_ * t(s) - xr0_) / xs_; }
    double fy(int s) const { return (y_ + dy_ * t(s) - yr0_) / ys_; }

    // Narrows [lo, hi] to the samples whose value lies in [low, high]; `rising` tells the way
    // the values go with s (a zero step keeps them equal).
    template <class Value>
    static void keepWithin(const Value& value, double step, double low, double high, int& lo,
                           int& hi) {
        if (lo > hi)
            return;
        if (step >= 0) {
            lo = firstFrom(lo, hi, [&](int s) { return value(s) >= low; });
            hi = firstFrom(lo, hi, [&](int s) { return value(s) > high; }) - 1;
        } else {
            lo = firstFrom(lo, hi, [&](int s) { return value(s) <= high; });
            hi = firstFrom(lo, hi, [&](int s) { return value(s) < low; }) - 1;
        }
    }

    // The first s in [lo, hi] where a condition that stays true once true holds; hi + 1 if none.
    template <class Condition>
    static int firstFrom(int lo, int hi, const Condition& holds) {
        int a = lo, b = hi + 1;
        while (a < b) {
            const int mid = a + (b - a) / 2;
            if (holds(mid))
                b = mid;
            else
                a = mid + 1;
        }
        return a;
    }

    double x_, y_, dx_, dy_;
    int steps_;
    double xr0_, yr0_, xs_, ys_;
};

// Where a box reaches in data units, widened by far more than the rounding of the test in axes
// fractions: what lies outside it is outside the box by that test too, and needs no division.
struct Reach {
    double x0, x1, y0, y1;
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    bool meets(double xa, double xb, double ya, double yb) const {
        return std::max(xa, xb) >= x0 && std::min(xa, xb) <= x1 && std::max(ya, yb) >= y0 &&
               std::min(ya, yb) <= y1;
    }
};

// How many samples a segment of this length in axes fractions gets: one every 2 %, at most 50.
int sampleSteps(double dx, double dy) {
    // The root without hypot's care for overflow, unless its quotient lies too near a whole
    // number for the two to be sure to agree.
    const double fast = std::sqrt(dx * dx + dy * dy) / 0.02;
    if (fast >= 51)
        return 50;
    const double whole = std::floor(fast);
    const double length =
        std::isfinite(fast) && fast - whole > 1e-9 && whole + 1 - fast > 1e-9
            ? whole * 0.02 + 0.01  // any length that gives the same whole quotient
            : std::hypot(dx, dy);
    return static_cast<int>(std::min(50.0, std::floor(length / 0.02)));
}

}  // namespace

int bestLegendCorner(const Graphics& graphics, Handle axes, double width, double height,
                     double insetX, double insetY) {
    const auto resolved = graphics.resolvedAxes(axes);
    return bestLegendCorner(graphics, axes, resolved.x.limits, resolved.y.limits, width, height,
                            insetX, insetY);
}

int bestLegendCorner(const Graphics& graphics, Handle axes, const std::array<double, 2>& xr,
                     const std::array<double, 2>& yr, double width, double height, double insetX,
                     double insetY) {
    const std::array<long, 4> counts =
        legendCornerCounts(graphics, axes, xr, yr, width, height, insetX, insetY);
    const auto best = std::min_element(counts.begin(), counts.end());
    return static_cast<int>(best - counts.begin()) + 1;
}

std::array<long, 4> legendCornerCounts(const Graphics& graphics, Handle axes,
                                       const std::array<double, 2>& xr,
                                       const std::array<double, 2>& yr, double width, double height,
                                       double insetX, double insetY) {
    const double xs = xr[1] - xr[0];
    const double ys = yr[1] - yr[0];
    // Corner boxes in axes fractions (0..1 across and up), grown by a margin so that markers
    // just outside the box, which it would still partly hide, count too.
    const double m = 0.015;
    const std::array<Box, 4> boxes{{
        {1 - insetX - width - m, 1 + m, 1 - insetY - height - m, 1 + m},
        {-m, insetX + width + m, 1 - insetY - height - m, 1 + m},
        {-m, insetX + width + m, -m, insetY + height + m},
        {1 - insetX - width - m, 1 + m, -m, insetY + height + m},
    }};
    const double slackX = 1e-9 * (std::abs(xr[0]) + std::abs(xr[1]) + xs);
    const double slackY = 1e-9 * (std::abs(yr[0]) + std::abs(yr[1]) + ys);
    std::array<Reach, 4> reach{};
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        reach[k] = {xr[0] + boxes[k].x0 * xs - slackX, xr[0] + boxes[k].x1 * xs + slackX,
                    yr[0] + boxes[k].y0 * ys - slackY, yr[0] + boxes[k].y1 * ys + slackY};
    }
    // The corners' reaches are two spans across (left: boxes 2 and 3, right: 1 and 4) by two up
    // (top: 1 and 2, bottom: 3 and 4), so a rectangle meets one of them exactly when it meets a
    // span across and a span up: most segments of a crowded line lie between the spans.
    const auto meetsAnyReach = [&](double xa, double xb, double ya, double yb) {
        const double lowX = std::min(xa, xb), highX = std::max(xa, xb);
        const double lowY = std::min(ya, yb), highY = std::max(ya, yb);
        const bool across = (highX >= reach[1].x0 && lowX <= reach[1].x1) ||
                            (highX >= reach[0].x0 && lowX <= reach[0].x1);
        const bool up = (highY >= reach[0].y0 && lowY <= reach[0].y1) ||
                        (highY >= reach[2].y0 && lowY <= reach[2].y1);
        return across && up;
    };
    std::array<long, 4> counts{};
    auto count = [&](double x, double y) {
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            if (reach[k].contains(x, y) && boxes[k].contains((x - xr[0]) / xs, (y - yr[0]) / ys))
                ++counts[k];
        }
    };
    // Segments shorter than one sample step get none; the test in fractions decides, and the
    // plainly short ones are told apart first by multiplication.
    constexpr double kShortest = 0.0004 * 0.999;
    const double inverseXs = 1 / xs, inverseYs = 1 / ys;
    for (const Handle c : graphics.object(axes).children) {
        const auto& data = graphics.object(c).data;
        if (const auto* line = std::get_if<LineObject>(&data)) {
            const LinePoints p(*line);
            const std::size_t n = p.size();
            const bool joined = line->lineStyle != "none";
            for (std::size_t i = 0; i < n; ++i) {
                const double x = p.x(i);
                const double y = p.y(i);
                if (!std::isfinite(x) || !std::isfinite(y))
                    continue;
                const bool segment = joined && i + 1 < n;
                const double x2 = segment ? p.x(i + 1) : x;
                const double y2 = segment ? p.y(i + 1) : y;
                // The point lies in the segment's rectangle: when that meets no reach, neither
                // the point nor the segment counts anywhere.
                if (!meetsAnyReach(x, x2, y, y2) && std::isfinite(x2) && std::isfinite(y2))
                    continue;
                count(x, y);
                if (!segment || !std::isfinite(x2) || !std::isfinite(y2))
                    continue;
                // A segment counts where it passes, sampled every 2 % of the axes.
                const double ax = (x2 - x) * inverseXs, ay = (y2 - y) * inverseYs;
                if (ax * ax + ay * ay < kShortest * (1 - 1e-9))
                    continue;
                std::array<bool, 4> meets{};
                bool any = false;
                for (std::size_t k = 0; k < boxes.size(); ++k) {
                    meets[k] = reach[k].meets(x, x2, y, y2);
                    any = any || meets[k];
                }
                if (!any)
                    continue;
                const double dx = (x2 - x) / xs, dy = (y2 - y) / ys;
                if (dx * dx + dy * dy < kShortest)
                    continue;
                const int steps = sampleSteps(dx, dy);
                if (steps < 1)
                    continue;
                const SegmentSamples samples(x, y, x2, y2, steps, xr, xs, yr, ys);
                for (std::size_t k = 0; k < boxes.size(); ++k) {
                    if (meets[k])
                        counts[k] += samples.countIn(boxes[k]);
                }
            }
        } else if (const auto* patch = std::get_if<PatchObject>(&data)) {
            // A face counts in every corner its outline's bounding box reaches into.
            const Matrix& f = patch->faces;
            const Matrix& v = patch->vertices;
            for (std::size_t r = 0; v.cols() >= 2 && r < f.rows(); ++r) {
                Box b{1e300, -1e300, 1e300, -1e300};
                for (std::size_t k = 0; k < f.cols(); ++k) {
                    const double index = f(r, k);
                    if (!(index >= 1 && index <= static_cast<double>(v.rows())))
                        continue;
                    const auto i = static_cast<std::size_t>(index) - 1;
                    const double fx = (v(i, 0) - xr[0]) / xs;
                    const double fy = (v(i, 1) - yr[0]) / ys;
                    b = {std::min(b.x0, fx), std::max(b.x1, fx), std::min(b.y0, fy),
                         std::max(b.y1, fy)};
                }
                for (std::size_t k = 0; k < boxes.size(); ++k) {
                    const Box& corner = boxes[k];
                    if (b.x0 <= corner.x1 && b.x1 >= corner.x0 && b.y0 <= corner.y1 &&
                        b.y1 >= corner.y0)
                        ++counts[k];
                }
            }
        }
    }
    return counts;
}

}  // namespace ambiscan::graphics
