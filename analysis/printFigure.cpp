#include "analysis/printFigure.hpp"

#include <utility>

#include "analysis/KeptFigures.hpp"
#include "platform/render/FigureWriter.hpp"

#include "platform/render/Print.hpp"
#include "platform/render/VectorFigure.hpp"

namespace ambiscan::analysis {

namespace {

// What keeps a figure's PNG bytes for the report, if anything does.
render::FigureWriter::AfterWrite keeperFor(RunContext& run, const std::string& fileName) {
    KeptFigures* const kept = run.keptFigures;
    if (kept == nullptr) {
        return nullptr;
    }
    return [kept, fileName](std::string png) { kept->keep(fileName, std::move(png)); };
}

// Every format asked for, each under the PNG's name with its own extension, in the order asked.
void printInFormats(RunContext& run, const std::string& fileName, const std::string& pngPath) {
    std::vector<render::FigureWriter::FigureFile> files;
    for (const render::FigureFormat format : run.figureFormats) {
        files.push_back(
            {format, std::filesystem::path(pngPath).replace_extension(formatName(format))});
    }
    render::FigureWriter::AfterWrite keep = keeperFor(run, fileName);
    if (run.figureWriter != nullptr && run.graphics.hasCurrentFigure()) {
        run.figureWriter->drawAndWrite(run.graphics.takeCurrentFigure(), std::move(files),
                                       std::move(keep));
        return;
    }
    bool pngKept = false;
    for (const render::FigureWriter::FigureFile& file : files) {
        if (file.format == render::FigureFormat::Png && run.graphics.hasCurrentFigure()) {
            std::string png = render::encodePng(
                render::renderFigurePixels(run.graphics, run.graphics.currentFigureHandle())
                    .pixels());
            render::writePngBytes(png, file.path);
            if (keep) {
                keep(std::move(png));
                pngKept = true;
            }
        } else if (run.graphics.hasCurrentFigure()) {
            render::writeFigureBytes(
                render::renderFigureDocument(run.graphics, run.graphics.currentFigureHandle(),
                                             file.format),
                file.path);
        }
    }
    if (keep && !pngKept && run.graphics.hasCurrentFigure()) {
        keep(render::encodePng(
            render::renderFigurePixels(run.graphics, run.graphics.currentFigureHandle()).pixels()));
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
        printInFormats(run, fileName, path);
        return;
    }
    KeptFigures* const kept = run.keptFigures;
    if (run.figureWriter != nullptr && run.graphics.hasCurrentFigure()) {
        render::FigureWriter::AfterWrite keep = keeperFor(run, fileName);
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

void drawKeptOnly(RunContext& run, const KeptOnlyFigure& figure) {
    if (run.figureWriter != nullptr) {
        run.figureWriter->drawAndKeep(figure.build, figure.width, figure.height, figure.keep);
        return;
    }
    const graphics::Graphics model = figure.build();
    render::RenderedFigure canvas(figure.width, figure.height);
    render::renderFigurePixels(model, model.currentFigureHandle(), canvas);
    figure.keep(render::encodePng(canvas.pixels()));
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
