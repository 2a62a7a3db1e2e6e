#include "app/ambiscan.hpp"

#include <future>
#include <optional>
#include <system_error>

#include "analysis/analyseRun.hpp"
#include "analysis/gates.hpp"
#include "app/InitsFollower.hpp"
#include "app/ProgressLine.hpp"
#include "app/doRTKInitPlot.hpp"
#include "app/exitStatus.hpp"
#include "app/outputNames.hpp"
#include "app/prepareRun.hpp"
#include "app/readInits.hpp"
#include "app/recordMemory.hpp"
#include "app/refuseOutputOverInput.hpp"
#include "app/runDecision.hpp"
#include "app/runFacts.hpp"
#include "app/runReport.hpp"
#include "app/runSummary.hpp"
#include "app/watchInput.hpp"
#include "platform/base/PrintableText.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/base/WorkerPool.hpp"
#include "platform/encoding/Base64.hpp"
#include "platform/io/OutputFolderLock.hpp"
#include "platform/io/StaleTemporaries.hpp"
#include "platform/io/makeOutputFolder.hpp"

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

// Waits for the evidence worked out beside the figures before the results it reads go, also
// when the run ends early.
struct EvidenceWait {
    std::future<evidence::RunEvidence>& evidence;
    ~EvidenceWait() {
        if (evidence.valid()) {
            evidence.wait();
        }
    }
};

// The run's workers; a system that cannot start them lacks the memory for their stacks. A run
// names the records it read; a watched one has read none yet.
WorkerPool startWorkers(std::optional<std::size_t> records) {
    try {
        return WorkerPool();
    } catch (const std::system_error&) {
        if (!records) {
            throw RuntimeError("not enough memory to start the run's workers");
        }
        throw RuntimeError("not enough memory for " + std::to_string(*records) +
                           (*records == 1 ? " record" : " records"));
    }
}

// Ends the run with a status and no further message (the one it needs is printed already).
struct RunEnds {
    int status;
};

// What a run's outputs say of the gates it was asked to pass, as they stand, and with --decide
// their sequential tests.
struct RunOutcome {
    std::vector<analysis::GateResult> gates;
    std::optional<evidence::SequentialRun> decision;
};

// Runs the analysis on the records and writes what is built on its results (figures, stats.csv,
// summary.json, then report.html unless it is not wanted), a progress line on a terminal
// meanwhile. The output folder is there and locked.
RunOutcome analyseAndWrite(const Console& console, WorkerPool& pool, const Matrix& inits,
                           const CellRow& DataSetStrings, const std::string& titleString,
                           const Options& options, ProgressLine& progress,
                           const std::string& inputSha256) {
    const std::size_t numDataSets = DataSetStrings.size();
    RunContext run{console, options.outputDir};
    run.figureFormats = options.formats;
    run.showBadInitLists = !options.quiet;
    // Three summary figures and up to six per data set (the good-only one when it has bad inits).
    const std::string most = std::to_string(3 + 6 * numDataSets);
    std::size_t printed = 0;
    progress.stage("analysing " + std::to_string(inits.rows()) + " records");
    run.onFigurePrinted = [&progress, &printed, &most] {
        progress.stage("figure " + std::to_string(++printed) + " of at most " + most);
    };
    // For the report, which embeds every figure in base64, made as each is written, and its
    // own scatters, drawn with the run's figures.
    const auto embedded = [](const std::string& png) { return base64(png); };
    analysis::KeptFigures figures(embedded);
    analysis::KeptFigures scatters(embedded);
    if (!options.noReport) {
        run.keptFigures = &figures;
        run.keptScatters = &scatters;
    }
    analysis::RunResults results;
    std::future<evidence::RunEvidence> evidence;
    const EvidenceWait wait{evidence};
    withRecordMemory([&] { return inits.rows(); },
                     [&] {
                         results = analysis::analyseRun(inits, DataSetStrings, titleString, &pool);
                         evidence = pool.submit([&results, &pool](std::size_t) {
                             return evidence::assess(results, pool);
                         });
                         writeRunOutputs(run, pool, results);
                     });

    const std::vector<analysis::GateResult> gates = analysis::evaluateGates(
        results.statistics(), {options.requireReliability, options.requireP90});
    const RunFacts facts = assessRun(evidence.get(), options.input.string(), inputSha256);
    std::optional<report::DecisionContent> decision;
    // A watched run shows the interval that survives looking, --decide the sequential gates.
    if (options.decide || options.watch) {
        decision = decideRecords(options, DataSetStrings, inits, facts);
    }
    const report::DecisionContent* decided = decision ? &*decision : nullptr;
    writeRunSummary(results, facts, gates, inits.rows(), run.outputDir,
                    {options.label, options.note}, decided);
    if (!options.noReport) {
        std::vector<std::string> scatterPngs;
        for (analysis::FigureFile& scatter : scatters.take()) {
            scatterPngs.push_back(std::move(scatter.content));
        }
        writeRunReport(results, facts, gates, figures.take(), scatterPngs, run.outputDir, decided);
    }
    return {gates, options.decide ? std::optional(decision->run) : std::nullopt};
}

[[noreturn]] void cannotOpen(const Console& console, const Options& options) {
    console.out << "Cannot open file " << printableText(options.input.string(), std::string::npos);
    console.out.flush();
    throw RunEnds{kExitRunFailed};
}

// Makes the output folder once the input is open (a run that cannot start leaves no folder
// behind). The lock is held to the end of the run (taken before reading when the folder is
// there already): a second run in this folder refuses before it writes anything.
void prepareOutputFolder(const Options& options, std::optional<OutputFolderLock>& folderLock) {
    makeOutputFolder(options.outputDir);
    if (!folderLock) {
        folderLock.emplace(options.outputDir);
    }
    removeStaleTemporaries(options.outputDir);
}

RunOutputs runOutputs(const Options& options, const CellRow& DataSetStrings) {
    const std::size_t gates = (options.requireReliability ? 1 : 0) + (options.requireP90 ? 1 : 0);
    return {options.outputDir, DataSetStrings, options.formats, !options.noReport,
            options.decide ? gates : 0};
}

RunOutcome readAndAnalyse(const Console& console, const CellRow& DataSetStrings,
                          const std::string& titleString, const Options& options) {
    std::optional<OutputFolderLock> folderLock;
    if (std::filesystem::is_directory(options.outputDir)) {
        folderLock.emplace(options.outputDir);
    }
    ProgressLine progress(console.err, options.showProgress);
    progress.stage("reading " + printableText(options.input.string(), std::string::npos));
    const std::optional<InitsFile> file =
        readInits(options.input, 4 * DataSetStrings.size() + 1, console);
    if (!file) {
        cannotOpen(console, options);
    }
    refuseOutputOverInput(file->identity, options.input.string(),
                          runOutputs(options, DataSetStrings));
    prepareRun(file->inits);
    // One pool of workers for the run: it draws and encodes the figures and, beside them,
    // works out the evidence. Started before the first output, so that a run that cannot have
    // its threads stops with nothing written.
    WorkerPool pool = startWorkers(file->inits.rows());
    prepareOutputFolder(options, folderLock);
    return analyseAndWrite(console, pool, file->inits, DataSetStrings, titleString, options,
                           progress, file->sha256);
}

// --watch: follows the input, refreshing the outputs now and then, and writes them a last time
// when watching ends. The folder lock is held throughout.
RunOutcome watchAndAnalyse(const Console& console, const CellRow& DataSetStrings,
                           const std::string& titleString, const Options& options) {
    std::optional<OutputFolderLock> folderLock;
    if (std::filesystem::is_directory(options.outputDir)) {
        folderLock.emplace(options.outputDir);
    }
    InitsFollower follower(options.input, 4 * DataSetStrings.size() + 1);
    if (!follower.isOpen()) {
        cannotOpen(console, options);
    }
    refuseOutputOverInput(follower.identity(), options.input.string(),
                          runOutputs(options, DataSetStrings));
    WorkerPool pool = startWorkers(std::nullopt);
    prepareOutputFolder(options, folderLock);
    ProgressLine quietProgress(console.err, false);
    // Refreshes list no bad fixes on the console, which shows the watch's status meanwhile.
    Options refreshOptions = options;
    refreshOptions.quiet = true;
    const WatchedInput input =
        watchInput(follower, options, DataSetStrings, console,
                   [&](const Matrix& inits, const std::string& sha256) {
                       prepareRun(inits);
                       analyseAndWrite(console, pool, inits, DataSetStrings, titleString,
                                       refreshOptions, quietProgress, sha256);
                   });
    prepareRun(input.inits);
    return analyseAndWrite(console, pool, input.inits, DataSetStrings, titleString, options,
                           quietProgress, input.sha256);
}

// The run of a command line with two to six words.
int runWords(const Options& options, const Console& console) {
    const std::string& titleString = options.words.front();
    const CellRow DataSetStrings(options.words.begin() + 1, options.words.end());
    // Refused before anything is read or written, so a bad legend leaves the folder as it was.
    checkLegendsNameFiles(DataSetStrings, existingFolder(options.outputDir).string());

    const RunOutcome outcome = options.watch
                                   ? watchAndAnalyse(console, DataSetStrings, titleString, options)
                                   : readAndAnalyse(console, DataSetStrings, titleString, options);
    if (outcome.decision) {
        for (const std::string& line : decisionLines(*outcome.decision)) {
            console.err << printableText(line, std::string::npos) << '\n';
        }
        return decisionExitStatus(*outcome.decision);
    }
    const std::vector<std::string> failures = analysis::gateFailureLines(outcome.gates);
    for (const std::string& line : failures) {
        console.err << printableText(line, std::string::npos) << '\n';
    }
    return failures.empty() ? kExitSuccess : kExitGateFailed;
}

}  // namespace

std::string argumentCountMessage() {
    return "Run-time Error: File: ambiscan Line: 18 Column: 1 The function \"ambiscan\" was "
           "called with more than the declared number of inputs (6).";
}

int ambiscan(const Options& options, const Console& console) {
    const std::size_t n = options.words.size();
    if (n > 6) {
        console.err << argumentCountMessage() << '\n';
        return kExitArgumentCount;
    }
    if (n < 2) {
        for (const std::string& line : usageLines()) {
            console.out << line << '\n';
        }
        return kExitSuccess;
    }
    int status = kExitSuccess;
    try {
        status = runWords(options, console);
    } catch (const RunEnds& end) {
        status = end.status;
    } catch (const RuntimeError& error) {
        // Paths, legends and file text in a message reach the terminal escaped, on one line.
        console.err << printableText(error.what(), std::string::npos) << '\n';
        status = kExitRunFailed;
    } catch (const std::exception& error) {
        // Out of memory or a failure of the system library: still one clear line.
        console.err << "Error: " << printableText(error.what(), std::string::npos) << '\n';
        status = kExitRunFailed;
    }
    console.out.flush();
    return status;
}

}  // namespace ambiscan::app
