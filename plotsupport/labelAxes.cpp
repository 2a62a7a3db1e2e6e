#include "plotsupport/labelAxes.hpp"

#include <algorithm>
#include <array>

#include "platform/base/RuntimeError.hpp"
#include "plotsupport/TimeAxisTicks.hpp"

namespace ambiscan::plotsupport {

namespace {

using graphics::Graphics;
using graphics::Handle;

constexpr double kDefaultDivisions = 5;

// Input k (0-based) when it was given, is numeric and not empty.
const Matrix* given(const std::vector<Value>& args, std::size_t k) {
    if (k >= args.size() || isEmptyValue(args[k])) {
        return nullptr;
    }
    if (!isNumeric(args[k])) {
        throw RuntimeError("labelAxes: input " + std::to_string(k + 1) + " must be numeric.");
    }
    return &std::get<Matrix>(args[k]);
}

double scalarOr(const std::vector<Value>& args, std::size_t k, double fallback) {
    const Matrix* m = given(args, k);
    return m ? (*m)[0] : fallback;
}

// The data axes of a figure in ascending handle order: legends and other children left out.
std::vector<Handle> dataAxesOf(const Graphics& graphics, Handle figure) {
    const Matrix children = std::get<Matrix>(graphics.get(figure, "children"));
    std::vector<Handle> axes;
    for (double h : children) {
        if (std::get<std::string>(graphics.get(h, "type")) == "axes" &&
            std::get<std::string>(graphics.get(h, "tag")) != "legend") {
            axes.push_back(h);
        }
    }
    std::sort(axes.begin(), axes.end());
    return axes;
}

std::array<double, 4> limitsOf(const Graphics& graphics, Handle axes) {
    const Matrix x = std::get<Matrix>(graphics.get(axes, "XLim"));
    const Matrix y = std::get<Matrix>(graphics.get(axes, "YLim"));
    return {x[0], x[1], y[0], y[1]};
}

void applyLimits(Graphics& graphics, Handle axes, const std::array<double, 4>& limits) {
    graphics.set(axes, {{"XLim", Value{Matrix::row({limits[0], limits[1]})}},
                        {"YLim", Value{Matrix::row({limits[2], limits[3]})}}});
}

double axisMatAt(const Matrix& axisMat, std::size_t row, std::size_t col) {
    if (row >= axisMat.rows() || col >= axisMat.cols()) {
        throw RuntimeError("Index exceeds matrix dimensions.");
    }
    return axisMat(row, col);
}

}  // namespace

void labelAxes(Graphics& graphics, const std::vector<Value>& args) {
    if (args.size() > 6) {
        throw RuntimeError("Too many input arguments.");
    }
    const double xAxisDivisions = scalarOr(args, 0, kDefaultDivisions);
    const Matrix* figures = given(args, 1);
    const Matrix figHandleVec = figures ? *figures : Matrix::scalar(graphics.gcf());
    const Matrix* axisMatGiven = given(args, 2);
    const Matrix axisMat = axisMatGiven ? *axisMatGiven : Matrix();
    const bool resetYAxis = axisMatGiven != nullptr;
    const bool zoomOut = scalarOr(args, 3, 0) != 0;
    const bool plainSeconds = scalarOr(args, 4, 0) != 0;
    const double localOffset = scalarOr(args, 5, 0);

    // Rows of axisMat run on across figures, one per axes processed.
    std::size_t rowIndex = 0;
    for (double figure : figHandleVec) {
        const std::vector<Handle> axisHandleVec = dataAxesOf(graphics, figure);
        // Without zooming out, the axes of a figure share the x range they all show.
        double xMin = 0, xMax = 0;
        if (!zoomOut) {
            for (std::size_t k = 0; k < axisHandleVec.size(); ++k) {
                const std::array<double, 4> limits = limitsOf(graphics, axisHandleVec[k]);
                xMin = k == 0 ? limits[0] : std::max(xMin, limits[0]);
                xMax = k == 0 ? limits[1] : std::min(xMax, limits[1]);
            }
        }
        for (Handle axes : axisHandleVec) {
            const std::size_t row = rowIndex++;
            std::array<double, 4> axisLimitsVec = limitsOf(graphics, axes);
            if (zoomOut) {
                axisLimitsVec = {axisMatAt(axisMat, row, 0), axisMatAt(axisMat, row, 1),
                                 axisMatAt(axisMat, row, 2), axisMatAt(axisMat, row, 3)};
                applyLimits(graphics, axes, axisLimitsVec);
            } else if (resetYAxis) {
                axisLimitsVec = {xMin, xMax, axisMatAt(axisMat, row, 2),
                                 axisMatAt(axisMat, row, 3)};
                applyLimits(graphics, axes, axisLimitsVec);
            }
            const TimeAxisTicks ticks = timeAxisTicks({axisLimitsVec[0], axisLimitsVec[1]},
                                                      xAxisDivisions, plainSeconds, localOffset);
            graphics.set(axes, {{"XTick", Value{ticks.xTick}}, {"XTickLabel", ticks.xTickLabel}});
        }
    }
}

}  // namespace ambiscan::plotsupport
