#include "analysis/printFigure.hpp"

#include <utility>
#include "analysis/FigureWriter.hpp"

#include "platform/render/Print.hpp"

namespace ambiscan::analysis {

void printAndClose(RunContext& run, const std::string& fileName) {
    if (!doPrint) {
        return;
    }
    if (run.beforePrint) {
        run.beforePrint(run.graphics, fileName);
    }
    const std::string path = (run.outputDir / fileName).string();
    if (run.figureWriter != nullptr && run.graphics.hasCurrentFigure()) {
        // Drawn here, written on the second thread while the next figure is made.
        render::RenderedFigure canvas = run.figureWriter->canvas();
        render::renderFigurePixels(run.graphics, run.graphics.currentFigureHandle(), canvas);
        run.figureWriter->write(std::move(canvas), path);
    } else {
        render::print(run.graphics, "-dpng", path);
    }
    run.graphics.close();
}

void settleFigures(RunContext& run) {
    if (run.figureWriter != nullptr) {
        run.figureWriter->settle();
    }
}

}  // namespace ambiscan::analysis
