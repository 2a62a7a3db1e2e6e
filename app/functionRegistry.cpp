#include "app/functionRegistry.hpp"

#include "app/ambiscan.hpp"
#include "app/doRTKInitPlot.hpp"
#include "charts/annotate.hpp"
#include "charts/bar.hpp"
#include "charts/grid.hpp"
#include "charts/hist.hpp"
#include "charts/makebars.hpp"
#include "charts/stem.hpp"
#include "platform/render/Print.hpp"
#include "plotsupport/labelAxes.hpp"
#include "plotsupport/setColourCodes.hpp"

namespace ambiscan::app {

namespace {

using runtime::CallContext;
using Values = std::vector<Value>;

Matrix handlesRow(const std::vector<graphics::Handle>& handles) {
    return Matrix::row(std::vector<double>(handles.begin(), handles.end()));
}

const Matrix& matrixArg(const Values& args, std::size_t k, const char* function) {
    if (k >= args.size() || !isNumeric(args[k])) {
        throw RuntimeError(std::string(function) + ": argument " + std::to_string(k + 1) +
                           " must be numeric.");
    }
    return std::get<Matrix>(args[k]);
}

CellRow cellArg(const Values& args, std::size_t k) {
    if (k < args.size()) {
        if (const auto* cell = std::get_if<CellRow>(&args[k])) {
            return *cell;
        }
        if (const auto* text = std::get_if<std::string>(&args[k])) {
            return {*text};
        }
    }
    throw RuntimeError("doRTKInitPlot: DataSetStrings must be a cell row of texts.");
}

Values doRTKInitPlotEntry(CallContext& context, int, const Values& args) {
    if (args.size() < 4 || !isText(args[3])) {
        throw RuntimeError("doRTKInitPlot: expects inits, NumDataSets, DataSetStrings, MainTitle.");
    }
    const Matrix& numDataSets = matrixArg(args, 1, "doRTKInitPlot");
    if (!numDataSets.isScalar()) {
        throw RuntimeError("doRTKInitPlot: NumDataSets must be a number.");
    }
    CellRow names = cellArg(args, 2);
    if (!(numDataSets[0] >= 1) || numDataSets[0] > static_cast<double>(names.size())) {
        throw RuntimeError("doRTKInitPlot: each data set needs a name.");
    }
    names.resize(static_cast<std::size_t>(numDataSets[0]));
    RunContext run{context.console, "."};
    doRTKInitPlot(run, matrixArg(args, 0, "doRTKInitPlot"), names, std::get<std::string>(args[3]));
    return {};
}

Values barEntry(CallContext& context, int nargout, const Values& args) {
    if (nargout == 2) {
        charts::BarOutline outline = charts::barOutline(context.console, args);
        return {outline.xx, outline.yy};
    }
    const Matrix handles = handlesRow(charts::bar(context.graphics, args));
    return nargout == 1 ? Values{handles} : Values{};
}

Values histEntry(CallContext& context, int nargout, const Values& args) {
    if (nargout == 0) {
        charts::histDraw(context.graphics, args);
        return {};
    }
    charts::HistCounts counts = charts::hist(args);
    return {counts.no, counts.xo};
}

Values makebarsEntry(CallContext&, int, const Values& args) {
    charts::BarLayout layout = charts::makebars(args);
    return {layout.msg,
            layout.x,
            layout.y,
            layout.xx,
            layout.yy,
            layout.linetype,
            Matrix::scalar(layout.plottype),
            Matrix::scalar(layout.barwidth),
            layout.equal};
}

template <graphics::Handle (*Annotate)(graphics::Graphics&, const Values&)>
Values annotateEntry(CallContext& context, int nargout, const Values& args) {
    const graphics::Handle h = Annotate(context.graphics, args);
    return nargout == 1 ? Values{Matrix::scalar(h)} : Values{};
}

}  // namespace

runtime::FunctionRegistry programFunctions() {
    runtime::FunctionRegistry functions;
    functions.add({"ambiscan", 6, 0, 18, [](CallContext& context, int, const Values& args) {
                       ambiscan(context, args);
                       return Values{};
                   }});
    functions.add({"doRTKInitPlot", 4, 0, 18, doRTKInitPlotEntry});
    functions.add({"labelAxes", 6, 0, 1, [](CallContext& context, int, const Values& args) {
                       plotsupport::labelAxes(context.graphics, args);
                       return Values{};
                   }});
    functions.add({"setColourCodes", 0, 1, 1, [](CallContext&, int, const Values&) {
                       return Values{plotsupport::setColourCodes()};
                   }});
    functions.add({"bar", -1, 2, 1, barEntry});
    functions.add({"grid", 2, 0, 1, [](CallContext& context, int, const Values& args) {
                       charts::grid(context.graphics, args);
                       return Values{};
                   }});
    functions.add({"hist", 2, 2, 1, histEntry});
    functions.add({"stem", -1, 1, 1, [](CallContext& context, int nargout, const Values& args) {
                       const Matrix handles =
                           handlesRow(charts::stem(context.graphics, args)).asColumn();
                       return nargout == 1 ? Values{handles} : Values{};
                   }});
    functions.add({"title", -2, 1, 1, annotateEntry<charts::title>});
    functions.add({"xlabel", -2, 1, 1, annotateEntry<charts::xlabel>});
    functions.add({"ylabel", -2, 1, 1, annotateEntry<charts::ylabel>});
    functions.add({"makebars", -1, 9, 1, makebarsEntry});
    return functions;
}

std::vector<runtime::LifecyclePair> lifecycle(const runtime::FunctionRegistry& functions) {
    std::vector<runtime::LifecyclePair> pairs;
    pairs.push_back({"numericRuntime", nullptr, nullptr});
    // The font and drawing libraries keep caches for the life of the process; releasing them
    // at the end keeps a memory checker's report about the program itself.
    pairs.push_back({"graphicsRuntime", nullptr, render::releaseRenderResources});
    // Each function's constants are compile-time constants of its own source, so the
    // per-function pairs have nothing to create or release; they stay in the list so that the
    // order of start-up is the one documented.
    for (const runtime::FunctionEntry& entry : functions.entries()) {
        pairs.push_back({entry.name, nullptr, nullptr});
    }
    return pairs;
}

}  // namespace ambiscan::app
