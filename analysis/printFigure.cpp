#include "analysis/printFigure.hpp"

#include <utility>
#include "analysis/FigureWriter.hpp"

#include "platform/render/Print.hpp"
#include "platform/render/VectorFigure.hpp"

namespace ambiscan::analysis {

namespace {

// Every format asked for, each under the PNG's name with its own extension, in the order asked.
void printInFormats(RunContext& run, const std::string& pngPath) {
    std::vector<FigureWriter::FigureFile> files;
    for (const render::FigureFormat format : run.figureFormats) {
        files.push_back(
            {format, std::filesystem::path(pngPath).replace_extension(formatName(format))});
    }
    if (run.figureWriter != nullptr && run.graphics.hasCurrentFigure()) {
        run.figureWriter->drawAndWrite(run.graphics.takeCurrentFigure(), std::move(files));
        return;
    }
    for (const FigureWriter::FigureFile& file : files) {
        if (file.format == render::FigureFormat::Png) {
            render::print(run.graphics, "-dpng", file.path);
        } else if (run.graphics.hasCurrentFigure()) {
            render::writeFigureBytes(
                render::renderFigureDocument(run.graphics, run.graphics.currentFigureHandle(),
                                             file.format),
                file.path);
        }
    }
    run.graphics.close();
}

// The current figure to its files, then closed.
void printFigureFiles(RunContext& run, const std::string& fileName) {
    if (run.beforePrint) {
        run.beforePrint(run.graphics, fileName);
    }
    const std::string path = (run.outputDir / fileName).string();
    const bool onlyPng =
        run.figureFormats.size() == 1 && run.figureFormats.front() == render::FigureFormat::Png;
    if (!onlyPng) {
        printInFormats(run, path);
        return;
    }
    if (run.figureWriter != nullptr && run.graphics.hasCurrentFigure()) {
        // Drawn and written on the second thread while the next figure is made; taking the
        // figure out of the model closes it here.
        run.figureWriter->drawAndWrite(run.graphics.takeCurrentFigure(), path);
        return;
    }
    render::print(run.graphics, "-dpng", path);
    run.graphics.close();
}

}  // namespace

void printAndClose(RunContext& run, const std::string& fileName) {
    if (!doPrint) {
        return;
    }
    printFigureFiles(run, fileName);
    if (run.onFigurePrinted) {
        run.onFigurePrinted();
    }
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
