#include "charts/stem.hpp"

#include "charts/ArgumentChecks.hpp"
#include "platform/base/LowerCase.hpp"
#include "platform/base/RuntimeError.hpp"

namespace ambiscan::charts {

namespace {

using graphics::Graphics;
using graphics::Handle;

struct StemStyle {
    bool fill = false;
    std::string lineStyle = "-";
    std::string marker = "o";
    std::string colour;
};

// Reads the trailing texts from the last argument backwards; returns how many data arguments
// precede them.
std::size_t readStyle(const std::vector<Value>& args, StemStyle& style) {
    std::size_t nin = args.size();
    while (nin > 0 && isText(args[nin - 1])) {
        const std::string& v = std::get<std::string>(args[nin - 1]);
        if (!v.empty() && lowerCase(v)[0] == 'f') {
            style.fill = true;
        } else {
            const graphics::LineSpec spec = graphics::colstyle(v);
            if (!spec.message.empty()) {
                throw RuntimeError("Unknown option \"" + v + "\".");
            }
            if (!spec.lineStyle.empty()) {
                style.lineStyle = spec.lineStyle;
            }
            if (!spec.color.empty()) {
                style.colour = spec.color;
            }
            if (!spec.marker.empty()) {
                style.marker = spec.marker;
            }
        }
        --nin;
    }
    return nin;
}

}  // namespace

std::vector<Handle> stem(Graphics& graphics, const std::vector<Value>& args) {
    StemStyle style;
    const std::size_t nin = readStyle(args, style);
    const std::string countMsg = argumentCountMessage(1, 2, nin);
    if (!countMsg.empty()) {
        throw RuntimeError(countMsg);
    }
    PlotData data = checkPlotData(
        std::vector<Value>(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(nin)));
    if (!data.msg.empty()) {
        throw RuntimeError(data.msg);
    }
    const Handle cax = graphics.newplot();
    const std::string next = lowerCase(std::get<std::string>(graphics.get(cax, "NextPlot")));
    const bool holdState = graphics.ishold();

    // Both plots draw the same series: the stems start from the colour the markers started from.
    const std::size_t firstColour = graphics.as<graphics::AxesObject>(cax).nextColorIndex;
    const std::vector<Handle> markers = graphics.plot(data.x, data.y, style.colour + style.marker);
    graphics.hold(true);
    graphics.as<graphics::AxesObject>(cax).nextColorIndex = firstColour;
    // Each point becomes a stem from the base line, (x, 0) to (x, y), with a gap after it: one
    // broken line draws all stems of a series. The line keeps the points once and is read in
    // that drawn form.
    const std::vector<Handle> stems = graphics.plot(data.x, data.y, style.colour + style.lineStyle);
    for (const Handle h : stems) {
        graphics.as<graphics::LineObject>(h).stemsFromZero = true;
    }

    // Marker and stem of a series share a colour, also the one the axes chose.
    for (std::size_t i = 0; i < markers.size() && i < stems.size(); ++i) {
        const Value c = graphics.get(stems[i], "Color");
        graphics.set(markers[i], "Color", c);
        if (style.fill) {
            graphics.set(markers[i], "MarkerFaceColor", c);
        }
    }
    std::vector<Handle> h = markers;
    h.insert(h.end(), stems.begin(), stems.end());
    if (!holdState) {
        graphics.set(cax, "NextPlot", Value{next});
    }
    return h;
}

}  // namespace ambiscan::charts
