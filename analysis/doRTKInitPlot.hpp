#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "analysis/DataSetStatistics.hpp"
#include "platform/base/Console.hpp"
#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"
#include "platform/render/FigureFormat.hpp"

namespace ambiscan::render {
class FigureWriter;
}

namespace ambiscan::analysis {

class KeptFigures;
struct RunResults;

// A figure that a caller draws along with the run's own and keeps for itself: it reaches no
// file. Built on a drawing thread; its PNG bytes, drawn at `width` by `height` pixels, go to
// `keep` in the order of the run's figures.
struct KeptOnlyFigure {
    std::function<graphics::Graphics()> build;
    int width = 0;
    int height = 0;
    std::function<void(std::string png)> keep;
};

// Where a run draws, prints and writes: every figure and stats.csv land in `outputDir` (the
// working directory for the program).
struct RunContext {
    graphics::Graphics& graphics;
    Console console;
    std::filesystem::path outputDir = ".";
    // Each figure is written in each of these formats, together and in this order.
    std::vector<render::FigureFormat> figureFormats = {render::FigureFormat::Png};
    // Whether the bad-init lists are shown on the console.
    bool showBadInitLists = true;
    // Called each time a figure has been handed on to be written.
    std::function<void()> onFigurePrinted = {};
    // Called with the file name just before the current figure is printed to it; lets a caller
    // look at every figure before it is closed.
    std::function<void(graphics::Graphics&, const std::string& fileName)> beforePrint = {};
    // Set by the analysis while it runs: figures are written on a second thread through it.
    render::FigureWriter* figureWriter = nullptr;
    // When set, every figure's PNG bytes are kept here too, in the order of their files.
    KeptFigures* keptFigures = nullptr;
    // Figures of the caller's, at most one per data set in legend order, each handed on after
    // its data set's own figures.
    std::vector<KeptOnlyFigure> dataSetFigures = {};
    // When set, filled with the run's results once its statistics are known.
    RunResults* results = nullptr;
};

// The whole analysis of one run: statistics, figures, bad-init lists and stats.csv. Returns the
// statistics stats.csv holds, one per data set.
RunStatistics doRTKInitPlot(RunContext& run, const Matrix& inits, double NumDataSets,
                            const CellRow& DataSetStrings, const std::string& MainTitle);

}  // namespace ambiscan::analysis
