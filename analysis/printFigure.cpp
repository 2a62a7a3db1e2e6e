#include "analysis/printFigure.hpp"

#include <utility>

#include "analysis/KeptFigures.hpp"
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
    KeptFigures* const kept = run.keptFigures;
    if (run.figureWriter != nullptr && run.graphics.hasCurrentFigure()) {
        render::FigureWriter::AfterWrite keep = nullptr;
        if (kept != nullptr) {
            keep = [kept, fileName](std::string png) { kept->keep(fileName, std::move(png)); };
        }
        // Drawn and written on the second thread while the next figure is made; taking the
        // figure out of the model closes it here.
        run.figureWriter->drawAndWrite(run.graphics.takeCurrentFigure(), path, std::move(keep));
        return;
    }
    if (kept != nullptr && run.graphics.hasCurrentFigure()) {
        const render::RenderedFigure drawn =
            render::renderFigurePixels(run.graphics, run.graphics.currentFigureHandle());
        std::string png = render::encodePng(drawn.pixels());
        render::writePngBytes(png, path);
        kept->keep(fileName, std::move(png));
    } else {
        render::print(run.graphics, "-dpng", path);
    }
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
