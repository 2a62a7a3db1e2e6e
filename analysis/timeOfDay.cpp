#include "analysis/timeOfDay.hpp"

#include <cmath>

namespace ambiscan::analysis {

namespace {

struct Span {
    double xmin, xmax;
};

Span widen(double low, double high, double step) {
    Span span{std::floor(low / step) * step, std::ceil(high / step) * step};
    if (!(span.xmax > span.xmin)) {
        span.xmax = span.xmin + step;
    }
    return span;
}

}  // namespace

TimeAxis timeAxis(double first, double last, double earliest, double latest) {
    TimeAxis axis;
    axis.outOfOrder = last < first;
    const double low = axis.outOfOrder ? earliest : first;
    const double high = axis.outOfOrder ? latest : last;

    // Formed as whole hours times the hour count, as the label boundaries are counted.
    axis.step = high - low > 86400 ? 3600.0 * 6 : 3600.0 * 3;
    Span span = widen(low, high, axis.step);
    axis.Labels = std::round((span.xmax - span.xmin) / axis.step);
    while (axis.Labels > kMaxLabelIntervals) {
        axis.step *= 2;
        span = widen(low, high, axis.step);
        axis.Labels = std::round((span.xmax - span.xmin) / axis.step);
    }
    axis.xmin = span.xmin;
    axis.xmax = span.xmax;
    return axis;
}

}  // namespace ambiscan::analysis
