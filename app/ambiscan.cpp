#include "app/ambiscan.hpp"

#include "analysis/doRTKInitPlot.hpp"
#include "app/outputNames.hpp"
#include "app/readInits.hpp"
#include "app/recordMemory.hpp"
#include "platform/io/OutputFolderLock.hpp"
#include "platform/io/StaleTemporaries.hpp"

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

}  // namespace

void ambiscan(runtime::CallContext& context, const std::vector<Value>& words) {
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
    const auto NumDataSets = static_cast<double>(n - 1);
    // Refused before anything is read or written, so a bad legend leaves the folder as it was.
    checkLegendsNameFiles(DataSetStrings, ".");
    // Held to the end of the run; a second run in this folder refuses before writing.
    const OutputFolderLock folderLock(".");
    removeStaleTemporaries(".");

    const std::size_t recordLength = 4 * (n - 1) + 1;
    const std::optional<InitsFile> file = readInits("inits.txt", recordLength, context.console);
    if (!file) {
        context.console.out << "Cannot open file inits.txt";
        context.console.out.flush();
        throw runtime::ExitRequest{runtime::kExitRunFailed};
    }

    analysis::RunContext run{context.graphics, context.console, "."};
    withRecordMemory([&] { return file->inits.rows(); },
                     [&] {
                         analysis::doRTKInitPlot(run, file->inits, NumDataSets, DataSetStrings,
                                                 titleString);
                     });
}

}  // namespace ambiscan::app
