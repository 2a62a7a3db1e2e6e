#include <algorithm>
#include <cmath>

#include "platform/base/RuntimeError.hpp"
#include "platform/graphics/Colors.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::graphics {

namespace {

// The columns of a plot, read in place: a vector is one column, a matrix gives one line per
// column, or per row when turned. A line shares its column's values; only the rows of a turned
// matrix are gathered.
class PlotColumns {
  public:
    explicit PlotColumns(const Matrix& m) : m_(&m), turned_(m.rows() == 1) {}
    std::size_t rows() const { return turned_ ? m_->cols() : m_->rows(); }
    std::size_t cols() const { return turned_ ? m_->rows() : m_->cols(); }
    bool empty() const { return m_->empty(); }
    void turn() { turned_ = !turned_; }
    // Column k as the row a line keeps.
    Matrix row(std::size_t k) const {
        const std::size_t n = rows();
        if (!turned_) {
            return m_->columnAt(k).asRow();
        }
        if (m_->rows() == 1) {
            return m_->asRow();
        }
        std::vector<double> v(n);
        for (std::size_t j = 0; j < n; ++j)
            v[j] = (*m_)(k, j);
        return Matrix(1, n, std::move(v));
    }

  private:
    const Matrix* m_;
    bool turned_;
};

}  // namespace

std::vector<Handle> Graphics::plot(const Matrix& xIn, const Matrix& yIn, const std::string& spec,
                                   const PropertyList& props) {
    const LineSpec parts = colstyle(spec);
    if (!parts.message.empty()) {
        throw RuntimeError(parts.message);
    }
    PlotColumns y(yIn);
    Matrix counting;  // 1..n when x is not given
    if (xIn.empty() && !y.empty()) {
        std::vector<double> n(y.rows());
        for (std::size_t i = 0; i < n.size(); ++i)
            n[i] = static_cast<double>(i + 1);
        counting = Matrix::column(n);
    }
    PlotColumns x(xIn.empty() && !y.empty() ? counting : xIn);
    // A vector x against a matrix whose rows match its length: one line per row then.
    if (x.cols() == 1 && y.rows() != x.rows() && y.cols() == x.rows()) {
        y.turn();
    }
    if (x.rows() != y.rows() || (x.cols() != 1 && x.cols() != y.cols() && y.cols() != 1)) {
        throw RuntimeError("Vectors must be the same lengths.");
    }
    const std::size_t lines = std::max(x.cols(), y.cols());
    const Handle ax = newplot();
    std::vector<Handle> handles;
    for (std::size_t k = 0; k < lines && !y.empty(); ++k) {
        LineObject line;
        line.xdata = x.row(x.cols() == 1 ? 0 : k);
        line.ydata = y.row(y.cols() == 1 ? 0 : k);
        AxesObject& a = as<AxesObject>(ax);
        if (!parts.color.empty()) {
            line.color = *colorOfLetter(parts.color[0]);
        } else {
            line.color = colorOrder(a.nextColorIndex++);
        }
        line.marker = parts.marker.empty() ? "none" : parts.marker;
        if (!parts.lineStyle.empty()) {
            line.lineStyle = parts.lineStyle;
        } else {
            line.lineStyle = parts.marker.empty() ? "-" : "none";
        }
        handles.push_back(add(ax, GraphicsObject{0, 0, {}, {}, std::move(line)}));
    }
    for (const Handle h : handles) {
        set(h, props);
    }
    return handles;
}

Handle Graphics::patch(const PropertyList& props) {
    // The patch goes into the current axes as it is: a chart that draws several patches has
    // prepared the axes once before the first one.
    const Handle ax = gca();
    const Handle h = add(ax, GraphicsObject{0, 0, {}, {}, PatchObject{}});
    set(h, props);
    return h;
}

Handle Graphics::text(double x, double y, const std::vector<std::string>& lines) {
    const Handle ax = gca();
    TextObject t;
    t.lines = lines;
    t.x = x;
    t.y = y;
    return add(ax, GraphicsObject{0, 0, {}, {}, std::move(t)});
}

Handle Graphics::legend(const std::vector<Handle>& entries, const std::vector<std::string>& texts,
                        int location) {
    const Handle ax = gca();
    const Handle fig = object(ax).parent;
    std::vector<Handle> described = entries;
    if (described.empty()) {
        // Texts alone describe the axes' lines and patches in the order they were drawn.
        const auto& children = object(ax).children;
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            const ObjectType t = object(*it).type();
            if ((t == ObjectType::Line || t == ObjectType::Patch) &&
                described.size() < texts.size()) {
                described.push_back(*it);
            }
        }
    }
    for (const Handle h : described) {
        const ObjectType t = ishandle(h) ? object(h).type() : ObjectType::Figure;
        if (t != ObjectType::Line && t != ObjectType::Patch) {
            throw RuntimeError("legend: entries must be lines or patches.");
        }
    }
    if (location != -1 && (location < 1 || location > 4)) {
        throw RuntimeError("legend: unknown position " + std::to_string(location) + ".");
    }
    // One legend per axes: a new one replaces the old.
    for (const Handle old : object(fig).children) {
        if (const auto* l = std::get_if<LegendObject>(&object(old).data); l && l->axes == ax) {
            deleteObject(old);
            break;
        }
    }
    LegendObject legend;
    legend.axes = ax;
    const std::size_t n = std::min(described.size(), texts.size());
    legend.entries.assign(described.begin(), described.begin() + static_cast<std::ptrdiff_t>(n));
    legend.texts.assign(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(n));
    legend.location = location;
    GraphicsObject obj{0, 0, {}, "legend", std::move(legend)};
    return add(fig, std::move(obj));
}

}  // namespace ambiscan::graphics
