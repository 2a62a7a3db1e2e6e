#include "charts/stem.hpp"

#include <limits>

#include "charts/ArgumentChecks.hpp"
#include "charts/LowerCase.hpp"
#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::charts {

namespace {

using graphics::Graphics;
using graphics::Handle;

constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

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

// Each point becomes the triple (x, x, gap) against (0, y, gap): one broken line draws all
// stems of a series.
Matrix stemXs(const Matrix& x) {
    Matrix xx(3 * x.rows(), x.cols());
    for (std::size_t c = 0; c < x.cols(); ++c) {
        for (std::size_t k = 0; k < x.rows(); ++k) {
            xx(3 * k, c) = x(k, c);
            xx(3 * k + 1, c) = x(k, c);
            xx(3 * k + 2, c) = kGap;
        }
    }
    return xx;
}

Matrix stemYs(const Matrix& y) {
    Matrix yy(3 * y.rows(), y.cols(), 0.0);
    for (std::size_t c = 0; c < y.cols(); ++c) {
        for (std::size_t k = 0; k < y.rows(); ++k) {
            yy(3 * k + 1, c) = y(k, c);
            yy(3 * k + 2, c) = kGap;
        }
    }
    return yy;
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
    const Matrix xx = stemXs(data.x);
    const Matrix yy = stemYs(data.y);

    const Handle cax = graphics.newplot();
    const std::string next = lowerCase(std::get<std::string>(graphics.get(cax, "NextPlot")));
    const bool holdState = graphics.ishold();

    // Both plots draw the same series: the stems start from the colour the markers started from.
    const std::size_t firstColour = graphics.as<graphics::AxesObject>(cax).nextColorIndex;
    const std::vector<Handle> markers = graphics.plot(data.x, data.y, style.colour + style.marker);
    graphics.hold(true);
    graphics.as<graphics::AxesObject>(cax).nextColorIndex = firstColour;
    const std::vector<Handle> stems = graphics.plot(xx, yy, style.colour + style.lineStyle);

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
