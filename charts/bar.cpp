#include "charts/bar.hpp"

#include <cmath>

#include "charts/ArgumentChecks.hpp"
#include "platform/base/LowerCase.hpp"
#include "charts/makebars.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/numeric/Format.hpp"

namespace ambiscan::charts {

namespace {

using graphics::Graphics;
using graphics::Handle;

// Charts with more bars than this get edges in their face colour, or the edges would hide them.
constexpr std::size_t kDenseBarCount = 150;
// Below this many whole-number positions every bar gets its own tick.
constexpr std::size_t kTickPerBarLimit = 16;

BarLayout layoutOf(const std::vector<Value>& args) {
    const std::string countMsg = argumentCountMessage(1, 4, args.size());
    if (!countMsg.empty()) {
        throw RuntimeError(countMsg);
    }
    BarLayout layout = makebars(args);
    if (!layout.msg.empty()) {
        throw RuntimeError(layout.msg);
    }
    return layout;
}

// Bar k of a series owns outline rows 5k .. 5k + 4; its corners are the last four of them.
Matrix facesOf(std::size_t numBars) {
    Matrix faces(numBars, 4);
    for (std::size_t k = 0; k < numBars; ++k) {
        for (std::size_t c = 0; c < 4; ++c) {
            faces(k, c) = static_cast<double>(5 * k + 2 + c);
        }
    }
    return faces;
}

Matrix verticesOf(const BarLayout& layout, std::size_t series) {
    const std::size_t rows = layout.xx.rows();
    Matrix vertices(rows, 2);
    for (std::size_t r = 0; r < rows; ++r) {
        vertices(r, 0) = layout.xx(r, series);
        vertices(r, 1) = layout.yy(r, series);
    }
    return vertices;
}

Value faceColourOf(const std::string& linetype) {
    if (linetype.empty()) {
        return Value{std::string("flat")};
    }
    const graphics::Rgb c = *graphics::colorOfLetter(linetype[0]);
    return Value{Matrix::row({c.r, c.g, c.b})};
}

bool wholeNumbers(const Matrix& m) {
    for (double v : m) {
        if (std::floor(v) != v) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<Handle> bar(Graphics& graphics, const std::vector<Value>& args) {
    const BarLayout layout = layoutOf(args);

    const Handle cax = graphics.newplot();
    const std::string next = lowerCase(std::get<std::string>(graphics.get(cax, "NextPlot")));
    const bool holdState = graphics.ishold();

    const Value edgec = graphics.get(graphics.gcf(), "defaultaxesxcolor");
    const Value facec = faceColourOf(layout.linetype);
    const std::size_t numBars = layout.xx.rows() == 0 ? 0 : (layout.xx.rows() - 1) / 5;
    const Matrix faces = facesOf(numBars);

    std::vector<Handle> h;
    for (std::size_t i = 0; i < layout.xx.cols(); ++i) {
        // Every vertex carries the series number as its colour index.
        const Matrix cdata(layout.xx.rows(), 1, static_cast<double>(i + 1));
        h.push_back(graphics.patch({{"faces", Value{faces}},
                                    {"vertices", Value{verticesOf(layout, i)}},
                                    {"cdata", Value{cdata}},
                                    {"FaceColor", facec},
                                    {"EdgeColor", edgec}}));
    }
    if (h.size() == 1) {
        // The one series takes the lowest colour of the colour map.
        graphics.set(cax, "clim", Value{Matrix::row({1, 2})});
    }
    if (layout.equal.isScalar() && layout.equal[0] == 0) {
        // Unequal histogram bins: a star on the base line marks each bin position.
        graphics.hold(true);
        const Matrix positions = layout.x.columnAt(0);
        graphics.plot(positions, Matrix(positions.rows(), 1, 0.0), "*");
    }
    if (!holdState) {
        const Matrix positions = layout.x.empty() ? Matrix() : layout.x.columnAt(0);
        if (wholeNumbers(layout.x) && layout.x.rows() < kTickPerBarLimit) {
            graphics.set(cax, "xtick", Value{positions.asRow()});
        }
        graphics.hold(false);
        graphics.view2();
        graphics.set(cax, "NextPlot", Value{next});
        graphics.set(cax,
                     {{"Layer", Value{std::string("Bottom")}}, {"box", Value{std::string("on")}}});
        if (h.size() * numBars > kDenseBarCount) {
            for (Handle p : h) {
                graphics.set(p, "edgecolor", graphics.get(p, "facecolor"));
            }
        }
    }
    return h;
}

BarOutline barOutline(const Console& console, const std::vector<Value>& args) {
    const BarLayout layout = layoutOf(args);
    warning(console, formatText("BAR with two output arguments is obsolete.  Use H = BAR(...) \\n"
                                "         and get the XData and YData properties instead."));
    return BarOutline{layout.xx, layout.yy};
}

}  // namespace ambiscan::charts
