#include "analysis/printFigure.hpp"

#include <utility>
#include "platform/render/FigureWriter.hpp"

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
        // Drawn and written on the second thread while the next figure is made; taking the
        // figure out of the model closes it here.
        run.figureWriter->drawAndWrite(run.graphics.takeCurrentFigure(), path);
        return;
    }
    render::print(run.graphics, "-dpng", path);
    run.graphics.close();
}

void showAfterFigures(RunContext& run, std::ostream& out, std::string text) {
    if (run.figureWriter != nullptr) {
        run.figureWriter->print(out, std::move(text));
        return;
    }
    out << text;
}

void settleFigures(RunContext& run) {
    if (run.figureWriter != nullptr) {
        run.figureWriter->settle();
    }
}

}  // namespace ambiscan::analysis
