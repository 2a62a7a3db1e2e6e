#include "app/ambiscan.hpp"

#include <optional>
#include <system_error>

#include "analysis/doRTKInitPlot.hpp"
#include "analysis/gates.hpp"
#include "app/ProgressLine.hpp"
#include "app/outputNames.hpp"
#include "app/prepareRun.hpp"
#include "app/readInits.hpp"
#include "app/recordMemory.hpp"
#include "app/refuseOutputOverInput.hpp"
#include "app/runFacts.hpp"
#include "app/runReport.hpp"
#include "app/runSummary.hpp"
#include "platform/encoding/Base64.hpp"
#include "platform/io/OutputFolderLock.hpp"
#include "platform/io/StaleTemporaries.hpp"
#include "platform/runtime/PrintableText.hpp"
#include "report/ScatterFigures.hpp"

namespace ambiscan::app {

const std::vector<std::string>& usageLines() {
    static const std::vector<std::string> lines = {
        " ",
        "Usage:",
        "Ambiscan TitleString Legend1 Legend2 Legend3 Legend4 Legend5",
        " ",
        "Where:",
        "TitleString = The global title applied to the plots, no spaces",
        "              are allowed!",
        "Legend1     = Legend applied to the first data set",
        "Legend2     = Legend applied to the second data set",
        "....",
        " ",
        "The number of legend strings must match the number of different",
        "receivers compared. i.e. if 2 receivers are used in the analysis for",
        "comparison Legend1 & Legend2 must be present.",
        " ",
        "Example usage:",
        "  Two receivers are tested in the RTK initialization tests and",
        "  inits.txt created. The syntax for forming the plots is then",
        " ",
        "Ambiscan VeltranaRTKTest V1.00 V0.64",
    };
    return lines;
}

namespace {

std::string textOf(const Value& word) {
    if (const auto* text = std::get_if<std::string>(&word)) {
        return *text;
    }
    throw RuntimeError("ambiscan: every argument must be a text.");
}

// The folder a file name limit is asked of: the output folder, or while it does not exist yet,
// the nearest folder above it that does.
std::filesystem::path existingFolder(const std::filesystem::path& folder) {
    std::filesystem::path f = folder;
    std::error_code ignored;
    while (!f.empty() && !std::filesystem::is_directory(f, ignored)) {
        f = f.parent_path();
    }
    return f.empty() ? std::filesystem::path(".") : f;
}

void makeOutputFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        throw RuntimeError("Cannot create output folder " + folder.string() + ": " +
                           (error ? error.message() : "a file of that name is in the way"));
    }
}

// Reads the input, runs the analysis and writes what is built on its results (summary.json,
// then report.html unless it is not wanted), a progress line on a terminal meanwhile. Returns
// the gates the run was asked to pass, as they stand.
std::vector<analysis::GateResult> readAndAnalyse(runtime::CallContext& context,
                                                 const CellRow& DataSetStrings,
                                                 const std::string& titleString,
                                                 const Options& options) {
    std::optional<OutputFolderLock> folderLock;
    if (std::filesystem::is_directory(options.outputDir)) {
        folderLock.emplace(options.outputDir);
    }
    ProgressLine progress(context.console.err, options.showProgress);
    progress.stage("reading " + printableText(options.input.string(), std::string::npos));
    const std::size_t numDataSets = DataSetStrings.size();
    const std::optional<InitsFile> file =
        readInits(options.input, 4 * numDataSets + 1, context.console);
    if (!file) {
        context.console.out << "Cannot open file "
                            << printableText(options.input.string(), std::string::npos);
        context.console.out.flush();
        throw runtime::ExitRequest{runtime::kExitRunFailed};
    }
    refuseOutputOverInput(file->identity, options.input.string(),
                          {options.outputDir, DataSetStrings, options.formats, !options.noReport});
    prepareRun(file->inits);
    // Made once the input is read, so that a run that cannot start leaves no folder behind.
    makeOutputFolder(options.outputDir);
    // Held to the end of the run (taken before reading when the folder is there already): a
    // second run in this folder refuses before it writes anything.
    if (!folderLock) {
        folderLock.emplace(options.outputDir);
    }
    removeStaleTemporaries(options.outputDir);

    analysis::RunContext run{context.graphics, context.console, options.outputDir};
    run.figureFormats = options.formats;
    run.showBadInitLists = !options.quiet;
    // Three summary figures and up to six per data set (the good-only one when it has bad inits).
    const std::string most = std::to_string(3 + 6 * numDataSets);
    std::size_t printed = 0;
    progress.stage("analysing " + std::to_string(file->inits.rows()) + " records");
    run.onFigurePrinted = [&progress, &printed, &most] {
        progress.stage("figure " + std::to_string(++printed) + " of at most " + most);
    };
    analysis::RunResults results;
    run.results = &results;
    // For the report, which embeds every figure in base64, made as each is written.
    analysis::KeptFigures figures([](const std::string& png) { return base64(png); });
    std::vector<std::string> scatters;  // the report's own figures, drawn with the run's
    if (!options.noReport) {
        run.keptFigures = &figures;
        run.dataSetFigures = report::scatterFigures(file->inits, DataSetStrings, scatters);
    }
    analysis::RunStatistics stats;
    withRecordMemory([&] { return file->inits.rows(); },
                     [&] {
                         stats = analysis::doRTKInitPlot(run, file->inits,
                                                         static_cast<double>(numDataSets),
                                                         DataSetStrings, titleString);
                     });

    const std::vector<analysis::GateResult> gates =
        analysis::evaluateGates(stats, {options.requireReliability, options.requireP90});
    const RunFacts facts = assessRun(results, options.input.string(), file->sha256);
    writeRunSummary(results, facts, gates, file->inits.rows(), run.outputDir,
                    {options.label, options.note});
    if (!options.noReport) {
        writeRunReport(results, facts, gates, figures.take(), scatters, run.outputDir);
    }
    return gates;
}

}  // namespace

void ambiscan(runtime::CallContext& context, const std::vector<Value>& words,
              const Options& options) {
    const std::size_t n = words.size();
    if (n < 2 || n > 6) {
        for (const std::string& line : usageLines()) {
            context.console.out << line << '\n';
        }
        return;
    }
    const std::string titleString = textOf(words[0]);
    CellRow DataSetStrings;
    for (std::size_t k = 1; k < n; ++k) {
        DataSetStrings.push_back(textOf(words[k]));
    }
    // Refused before anything is read or written, so a bad legend leaves the folder as it was.
    checkLegendsNameFiles(DataSetStrings, existingFolder(options.outputDir).string());

    const std::vector<std::string> failures =
        analysis::gateFailureLines(readAndAnalyse(context, DataSetStrings, titleString, options));
    for (const std::string& line : failures) {
        context.console.err << printableText(line, std::string::npos) << '\n';
    }
    if (!failures.empty()) {
        throw runtime::ExitRequest{runtime::kExitGateFailed};
    }
}

}  // namespace ambiscan::app
