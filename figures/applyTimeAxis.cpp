#include "figures/applyTimeAxis.hpp"

#include <array>
#include <cmath>

#include "plotsupport/labelAxes.hpp"

namespace ambiscan::figures {

void applyTimeAxis(graphics::Graphics& graphics, const analysis::TimeAxis& axis) {
    std::array<double, 4> A = graphics.axis();
    A[0] = axis.xmin;
    A[1] = axis.xmax;
    // Values at the edges of a double (Inf, NaN, +-1e308) give no usable span; the axes then
    // keep their automatic limits and plain tick labels.
    const auto usable = [&](std::size_t i) {
        return std::isfinite(A[i]) && std::isfinite(A[i + 1]) && A[i] < A[i + 1];
    };
    if (!usable(0) || !usable(2)) {
        return;
    }
    graphics.axis(A);
    const std::array<double, 4> limits = graphics.axis();
    plotsupport::labelAxes(graphics, {Matrix::scalar(axis.Labels), Matrix::scalar(graphics.gcf()),
                                      Matrix::row({limits[0], limits[1], limits[2], limits[3]}),
                                      Matrix::scalar(0), Matrix::scalar(0)});
}

}  // namespace ambiscan::figures
