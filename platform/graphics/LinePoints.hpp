#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>

#include "platform/graphics/Graphics.hpp"

namespace ambiscan::graphics {

// The points of a line as they are drawn, whether kept plainly or as compact stems (point k of
// the data gives points 3k, 3k + 1 and 3k + 2: base, top and gap).
class LinePoints {
  public:
    explicit LinePoints(const LineObject& line)
        : x_(line.xdata.data().data()),
          y_(line.ydata.data().data()),
          stems_(line.stemsFromZero),
          n_(std::min(line.xdata.numel(), line.ydata.numel())) {}

    std::size_t size() const { return stems_ ? 3 * n_ : n_; }

    // The coordinates as stored, when they are the points drawn (not compact stems).
    bool plain() const { return !stems_; }
    const double* plainX() const { return x_; }
    const double* plainY() const { return y_; }

    double x(std::size_t i) const {
        if (!stems_)
            return x_[i];
        return i % 3 == 2 ? kGap : x_[i / 3];
    }

    double y(std::size_t i) const {
        if (!stems_)
            return y_[i];
        switch (i % 3) {
            case 0:
                return 0.0;
            case 1:
                return y_[i / 3];
            default:
                return kGap;
        }
    }

  private:
    static constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
    const double* x_;
    const double* y_;
    bool stems_;
    std::size_t n_;
};

// The line's coordinates as one row each, gaps included: what XData and YData give.
inline Matrix plainXData(const LineObject& line) {
    if (!line.stemsFromZero)
        return line.xdata;
    const LinePoints p(line);
    std::vector<double> v(p.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = p.x(i);
    return Matrix::row(std::move(v));
}

inline Matrix plainYData(const LineObject& line) {
    if (!line.stemsFromZero)
        return line.ydata;
    const LinePoints p(line);
    std::vector<double> v(p.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = p.y(i);
    return Matrix::row(std::move(v));
}

// Turns compact stems into plain data, so that either coordinate may be replaced on its own.
inline void makePlain(LineObject& line) {
    if (!line.stemsFromZero)
        return;
    Matrix x = plainXData(line);
    Matrix y = plainYData(line);
    line.xdata = std::move(x);
    line.ydata = std::move(y);
    line.stemsFromZero = false;
}

}  // namespace ambiscan::graphics
