#include "platform/render/detail/AxesLayout.hpp"

#include <algorithm>
#include <cmath>

namespace ambiscan::render {

namespace {

constexpr double kPad = 14;
constexpr double kLabelGap = 8;

AxisTicks ticksInside(const graphics::Graphics::ResolvedAxis& axis) {
    AxisTicks t;
    const double span = axis.limits[1] - axis.limits[0];
    const double tolerance = span * 1e-9;
    for (std::size_t i = 0; i < axis.ticks.size(); ++i) {
        const double p = axis.ticks[i];
        if (p >= axis.limits[0] - tolerance && p <= axis.limits[1] + tolerance) {
            t.positions.push_back(p);
            t.labels.push_back(i < axis.labels.size() ? axis.labels[i] : std::string());
        }
    }
    t.labelShown.assign(t.positions.size(), true);
    return t;
}

// Shows every k-th label, with the smallest k at which neighbours keep a gap.
void thin(AxisTicks& t, const std::vector<double>& centres, const std::vector<double>& extents,
          double gap) {
    const std::size_t n = centres.size();
    for (std::size_t k = 1; k <= std::max<std::size_t>(n, 1); ++k) {
        bool fits = true;
        for (std::size_t i = 0; i + k < n && fits; i += k) {
            fits = std::abs(centres[i + k] - centres[i]) >= (extents[i] + extents[i + k]) / 2 + gap;
        }
        if (fits) {
            for (std::size_t i = 0; i < n; ++i)
                t.labelShown[i] = i % k == 0;
            return;
        }
    }
}

PlacedText placedText(const graphics::Graphics& g, graphics::Handle h, double scale) {
    const auto& t = g.as<graphics::TextObject>(h);
    PlacedText p;
    for (const auto& line : t.lines)
        p.lines.push_back(line);
    p.font = fontFor(t.fontName, t.fontSize * scale, t.fontWeight, t.fontAngle);
    p.color = t.color;
    p.angle = t.rotation;
    return p;
}

// Shrinks a text's font until its widest line fits into the room. A one-line text that would
// have to shrink a lot is first broken at the blank nearest its middle.
void fitWidth(PlacedText& p, TextPainter& text, double room) {
    double w = text.widest(p.lines, p.font);
    if (w > room / 0.8 && p.lines.size() == 1) {
        const std::string& line = p.lines.front();
        const std::size_t middle = line.size() / 2;
        std::size_t best = std::string::npos;
        for (std::size_t i = line.find(' '); i != std::string::npos; i = line.find(' ', i + 1)) {
            if (best == std::string::npos || (i > middle ? i - middle : middle - i) <
                                                 (best > middle ? best - middle : middle - best)) {
                best = i;
            }
        }
        if (best != std::string::npos && best > 0) {
            p.lines = {line.substr(0, best), line.substr(best + 1)};
            w = text.widest(p.lines, p.font);
        }
    }
    if (w > room && w > 0) {
        p.font.pixels = std::max(4.0, p.font.pixels * room / w * 0.995);
    }
}

double blockHeight(const PlacedText& p, TextPainter& text) {
    if (p.lines.empty())
        return 0;
    const TextMetrics m = text.metrics(p.font);
    return m.lineHeight * static_cast<double>(p.lines.size() - 1) + m.ascent + m.descent;
}

}  // namespace

AxesLayout layoutAxes(const graphics::Graphics& g, graphics::Handle axes, TextPainter& text,
                      double figureWidth, double figureHeight) {
    const auto& a = g.as<graphics::AxesObject>(axes);
    const auto [rx, ry] = g.resolvedAxes(axes);
    AxesLayout L;
    L.frame.xlim = rx.limits;
    L.frame.ylim = ry.limits;
    L.x = ticksInside(rx);
    L.y = ticksInside(ry);
    L.tickFont = fontFor(a.fontName, a.fontSize, a.fontWeight, a.fontAngle);
    const auto figure = g.object(axes).parent;
    if (g.ishandle(figure)) {
        L.axisColor = g.as<graphics::FigureObject>(figure).defaultAxesXColor;
    }
    // Titles read larger than tick labels; labels a little larger.
    L.title = placedText(g, a.title, 1.2);
    L.xlabel = placedText(g, a.xlabel, 1.1);
    L.ylabel = placedText(g, a.ylabel, 1.1);
    fitWidth(L.title, text, figureWidth - 2 * kPad);
    fitWidth(L.xlabel, text, figureWidth - 2 * kPad);
    fitWidth(L.ylabel, text, figureHeight - 2 * kPad);

    const TextMetrics tick = text.metrics(L.tickFont);
    double yLabelWidth = 0;
    for (const auto& label : L.y.labels)
        yLabelWidth = std::max(yLabelWidth, text.width(label, L.tickFont));
    const double firstX = L.x.labels.empty() ? 0 : text.width(L.x.labels.front(), L.tickFont);
    const double lastX = L.x.labels.empty() ? 0 : text.width(L.x.labels.back(), L.tickFont);

    const double titleHeight = blockHeight(L.title, text);
    const double xlabelHeight = blockHeight(L.xlabel, text);
    const double ylabelHeight = blockHeight(L.ylabel, text);
    const double top = kPad + (titleHeight > 0 ? titleHeight + 12 : 6);
    const double bottom = kPad + (xlabelHeight > 0 ? xlabelHeight + kLabelGap : 0) + tick.ascent +
                          tick.descent + kTickLabelGap;
    const double left = std::max(
        kPad + (ylabelHeight > 0 ? ylabelHeight + kLabelGap + 4 : 0) + yLabelWidth + kTickLabelGap,
        kPad + firstX / 2);
    const double right = std::max(kPad + 18, kPad + lastX / 2);
    L.frame.left = std::round(left);
    L.frame.top = std::round(top);
    L.frame.width = std::max(10.0, std::round(figureWidth - right) - L.frame.left);
    L.frame.height = std::max(10.0, std::round(figureHeight - bottom) - L.frame.top);

    // Crowded tick labels are thinned out.
    std::vector<double> centres, extents;
    for (std::size_t i = 0; i < L.x.positions.size(); ++i) {
        centres.push_back(L.frame.px(L.x.positions[i]));
        extents.push_back(text.width(L.x.labels[i], L.tickFont));
    }
    thin(L.x, centres, extents, 12);
    centres.clear();
    extents.clear();
    for (const double p : L.y.positions) {
        centres.push_back(L.frame.py(p));
        extents.push_back(tick.ascent + tick.descent);
    }
    thin(L.y, centres, extents, 4);

    // Title and labels, centred on the frame but kept inside the figure.
    auto centreWithin = [&](const PlacedText& p, double centre, double extent) {
        const double w = text.widest(p.lines, p.font);
        return std::clamp(centre, kPad + w / 2, std::max(kPad + w / 2, extent - kPad - w / 2));
    };
    L.title.x = centreWithin(L.title, L.frame.left + L.frame.width / 2, figureWidth);
    L.title.y = L.frame.top - 12;
    L.title.v = VAlign::Bottom;
    L.title.angle = 0;
    L.xlabel.x = centreWithin(L.xlabel, L.frame.left + L.frame.width / 2, figureWidth);
    L.xlabel.y = L.frame.bottom() + kTickLabelGap + tick.ascent + tick.descent + kLabelGap;
    L.xlabel.v = VAlign::Top;
    L.xlabel.angle = 0;
    L.ylabel.x = kPad;
    L.ylabel.y =
        figureHeight -
        centreWithin(L.ylabel, figureHeight - (L.frame.top + L.frame.height / 2), figureHeight);
    L.ylabel.v = VAlign::Top;
    L.ylabel.angle = 90;
    return L;
}

}  // namespace ambiscan::render
