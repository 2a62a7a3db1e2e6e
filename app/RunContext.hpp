#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "analysis/KeptFigures.hpp"
#include "platform/base/Console.hpp"
#include "platform/render/FigureFormat.hpp"

namespace ambiscan::app {

// Where a run prints and writes: every figure and stats.csv land in `outputDir` (the working
// directory for the program).
struct RunContext {
    Console console;
    std::filesystem::path outputDir = ".";
    // Each figure is written in each of these formats, together and in this order.
    std::vector<render::FigureFormat> figureFormats = {render::FigureFormat::Png};
    // Whether the bad-init lists are shown on the console.
    bool showBadInitLists = true;
    // Called each time a figure has been handed on to be written.
    std::function<void()> onFigurePrinted = {};
    // When set, every figure's PNG bytes are kept here too, in the order of their files.
    analysis::KeptFigures* keptFigures = nullptr;
    // When set, the report's scatter of each data set is drawn after the data set's own figures
    // and its PNG kept here, in legend order; it reaches no file.
    analysis::KeptFigures* keptScatters = nullptr;
};

}  // namespace ambiscan::app
