#include "platform/render/detail/LinePath.hpp"

#include <algorithm>

namespace ambiscan::render {

void ColumnReducer::flush() {
    const Column& c = column_;
    if (!active_ || c.count == 0) {
        active_ = false;
        return;
    }
    // Emit the extremes in the order they came, then the last point.
    const bool lowFirst = c.lowIndex <= c.highIndex;
    const Point a = lowFirst ? c.low : c.high;
    const Point b = lowFirst ? c.high : c.low;
    const int ia = lowFirst ? c.lowIndex : c.highIndex;
    const int ib = lowFirst ? c.highIndex : c.lowIndex;
    if (extent_ && ia > 0 && ib != ia && c.lastIndex != ib) {
        // Three strokes up and down a column less than a pixel wide lie under these two, to
        // within a part of a pixel across; in a crowded line each would span its height.
        out_.lineTo(c.last.x, c.last.y);
        out_.moveTo(c.low.x, c.low.y);
        out_.lineTo(c.high.x, c.high.y);
        out_.moveTo(c.last.x, c.last.y);
        active_ = false;
        return;
    }
    if (ia > 0)
        out_.lineTo(a.x, a.y);
    if (ib > 0 && ib != ia)
        out_.lineTo(b.x, b.y);
    if (c.lastIndex != ia && c.lastIndex != ib)
        out_.lineTo(c.last.x, c.last.y);
    active_ = false;
}

void ColumnReducer::nextColumn(Point p) {
    if (!reduce_) {
        out_.lineTo(p.x, p.y);
        return;
    }
    flush();
    out_.lineTo(p.x, p.y);
    start(p);
}

void VerticalMerger::add(Point a, Point b) {
    // Stems of data in time order come column after column: the last one is kept at hand.
    const long key = std::lround(a.x * 4);
    if (last_ == nullptr || key != lastKey_) {
        last_ = &columns_[key];
        lastKey_ = key;
    }
    std::vector<std::pair<double, double>>& spans = *last_;
    const double low = std::min(a.y, b.y), high = std::max(a.y, b.y);
    // A span crossing the one before joins it: what is drawn depends only on the ground the
    // spans cover, and stems, which all reach the base line, keep one span per column.
    if (!spans.empty() && low <= spans.back().second && high >= spans.back().first) {
        spans.back() = {std::min(low, spans.back().first), std::max(high, spans.back().second)};
    } else {
        spans.push_back({low, high});
    }
}

void VerticalMerger::emit(ChunkedPath& out) {
    for (auto& [key, spans] : columns_)
        emitMerged(out, static_cast<double>(key) / 4, spans);
    columns_.clear();
    last_ = nullptr;
}

void VerticalMerger::emitMerged(ChunkedPath& out, double x,
                                std::vector<std::pair<double, double>>& spans) {
    std::sort(spans.begin(), spans.end());
    double low = spans.front().first, high = spans.front().second;
    for (std::size_t i = 1; i <= spans.size(); ++i) {
        if (i < spans.size() && spans[i].first <= high + 0.25) {
            high = std::max(high, spans[i].second);
            continue;
        }
        out.moveTo(x, low);
        out.lineTo(x, high);
        if (i < spans.size()) {
            low = spans[i].first;
            high = spans[i].second;
        }
    }
}

void SubpathSorter::finish() {
    if (count_ == 2) {
        if (merger_ && held_[0].x == held_[1].x) {
            merger_->add(held_[0], held_[1]);
        } else {
            reducer_.moveTo(held_[0]);
            reducer_.lineTo(held_[1]);
        }
    }
    count_ = 0;
    reducer_.flush();
}

bool clipSegment(Point a, Point b, double x0, double y0, double x1, double y1, double& t0,
                 double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - x0, x1 - a.x, a.y - y0, y1 - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
        } else {
            const double t = q[k] / p[k];
            if (p[k] < 0) {
                if (t > t1)
                    return false;
                t0 = std::max(t0, t);
            } else {
                if (t < t0)
                    return false;
                t1 = std::min(t1, t);
            }
        }
    }
    return t0 <= t1;
}

}  // namespace ambiscan::render
