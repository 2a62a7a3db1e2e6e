#include "app/doRTKInitPlot.hpp"

#include <utility>

#include "analysis/analyseRun.hpp"
#include "analysis/statsCsv.hpp"
#include "figures/enuHistogram.hpp"
#include "figures/horizontalScatter.hpp"
#include "figures/initTimeCdf.hpp"
#include "figures/initTimeDistribution.hpp"
#include "figures/positionErrors.hpp"
#include "figures/positionHistogram.hpp"
#include "figures/timeOfDay.hpp"
#include "platform/io/writeFileAtomically.hpp"
#include "platform/render/FigureWriter.hpp"

namespace ambiscan::app {

namespace {

// The run's outputs in the order it shows them; the figures are built, drawn and encoded on
// the workers meanwhile (render::FigureWriter).
class RunOutputs {
  public:
    RunOutputs(RunContext& run, WorkerPool& pool) : run_(run), writer_(pool) {}

    // A figure to its file in every format asked for, and its PNG to the kept figures.
    void print(render::FigureWriter::Build figure, const std::string& fileName) {
        render::FigureWriter::AfterWrite keep = nullptr;
        if (analysis::KeptFigures* const kept = run_.keptFigures) {
            keep = [kept, fileName](std::string png) { kept->keep(fileName, std::move(png)); };
        }
        const std::string path = (run_.outputDir / fileName).string();
        if (run_.figureFormats.size() == 1 &&
            run_.figureFormats.front() == render::FigureFormat::Png) {
            writer_.drawAndWrite(std::move(figure), path, std::move(keep));
        } else {
            std::vector<render::FigureWriter::FigureFile> files;
            for (const render::FigureFormat format : run_.figureFormats) {
                files.push_back(
                    {format, std::filesystem::path(path).replace_extension(formatName(format))});
            }
            writer_.drawAndWrite(std::move(figure), std::move(files), std::move(keep));
        }
        if (run_.onFigurePrinted) {
            run_.onFigurePrinted();
        }
    }

    // The report's scatter of data set k, kept and not written.
    void keepScatter(const analysis::RunResults& results, std::size_t k) {
        analysis::KeptFigures* const kept = run_.keptScatters;
        const std::string name = results.dataSets[k].name;
        writer_.drawAndKeep([&results, k] { return figures::horizontalScatter(results, k); },
                            figures::kScatterSide, figures::kScatterSide,
                            [kept, name](std::string png) { kept->keep(name, std::move(png)); });
    }

    // Console text shown once the figures before it are in their files.
    void show(std::ostream& out, std::string text) { writer_.print(out, std::move(text)); }

    // Waits for every figure to be in its file, raising the first failure.
    void settle() { writer_.settle(); }

  private:
    RunContext& run_;
    render::FigureWriter writer_;
};

void writeOutputs(RunContext& run, RunOutputs& outputs, const analysis::RunResults& results) {
    // Each figure is built from the results on the worker that draws it.
    const auto figure = [&results](graphics::Graphics (*build)(const analysis::RunResults&)) {
        return [&results, build] { return build(results); };
    };
    const auto ofDataSet =
        [&results](graphics::Graphics (*build)(const analysis::RunResults&, std::size_t),
                   std::size_t k) { return [&results, build, k] { return build(results, k); }; };
    outputs.print(figure(figures::initTimeDistribution), "InitTimeDist.png");
    if (results.axis.outOfOrder) {
        outputs.settle();
        warning(run.console,
                "inits.txt records are not in time order; the time axis runs from the earliest "
                "to the latest start time");
    }
    outputs.print(figure(figures::timeOfDay), "InitTimeVTime.png");

    for (std::size_t k = 0; k < results.dataSets.size(); ++k) {
        const analysis::DataSetResults& d = results.dataSets[k];
        outputs.print(ofDataSet(figures::positionErrors, k), d.name + "_PosData.png");
        if (!d.badRows.empty()) {
            if (run.showBadInitLists) {
                outputs.show(run.console.out, d.badInitList);
            }
            outputs.print(ofDataSet(figures::positionErrorsGoodOnly, k),
                          d.name + "_PosData_GoodOnly.png");
        }
        for (std::size_t a = 0; a < 3; ++a) {
            outputs.print([&results, k, a] { return figures::positionHistogram(results, k, a); },
                          d.name + "_" + figures::kAxisNames[a] + "_Hist.png");
        }
        outputs.print(ofDataSet(figures::enuHistogram, k), d.name + "_ENU_Hist.png");
        if (run.keptScatters != nullptr) {
            outputs.keepScatter(results, k);
        }
    }

    outputs.print(figure(figures::initTimeCdf), "InitTimeCDF.png");
    outputs.settle();
    writeFileAtomically(run.outputDir / "stats.csv", analysis::statsCsv(results));
}

}  // namespace

void writeRunOutputs(RunContext& run, WorkerPool& pool, const analysis::RunResults& results) {
    RunOutputs outputs(run, pool);
    try {
        writeOutputs(run, outputs, results);
    } catch (...) {
        // A figure that failed to be written was printed before the failure in hand: its
        // error comes first, as it would have with every figure written at once.
        outputs.settle();
        throw;
    }
}

analysis::RunResults doRTKInitPlot(RunContext& run, const Matrix& inits,
                                   const CellRow& DataSetStrings, const std::string& MainTitle) {
    WorkerPool pool;
    analysis::RunResults results = analysis::analyseRun(inits, DataSetStrings, MainTitle, &pool);
    writeRunOutputs(run, pool, results);
    return results;
}

}  // namespace ambiscan::app
