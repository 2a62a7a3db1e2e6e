#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/KeptFigures.hpp"
#include "analysis/RunResults.hpp"
#include "analysis/gates.hpp"
#include "evidence/Evidence.hpp"
#include "report/DecisionSection.hpp"

namespace ambiscan::report {

// Where the run's numbers came from, for the report's run line.
struct InputFacts {
    std::string fileName;  // as read, e.g. "inits.txt"
    std::string sha256;    // hex of the file's bytes
    std::string version;   // the program's
};

// Everything the report shows. The figures are the ones the run wrote, in the order written;
// the scatters are the report's own, one per data set in legend order; both in base64.
struct ReportContent {
    const analysis::RunResults& results;
    const evidence::RunEvidence& evidence;
    const std::vector<analysis::FigureFile>& figures;
    const std::vector<std::string>& scatters;
    InputFacts input;
    // The gates the command line set, if any: the page says PASS or FAIL at its top.
    std::vector<analysis::GateResult> gates = {};
    // With --decide: the sequential gates, shown at the top in a "Decision" section.
    const DecisionContent* decision = nullptr;
};

// The whole report as one self-contained HTML page: figures embedded as data URIs, style
// inline, no script, nothing fetched. Every text from the command line or the file is escaped.
// Handed to `write` in pieces, in order: the figures as they stand, the text between them.
using PagePieces = std::function<void(std::string_view)>;
void writeReportHtml(const ReportContent& content, const PagePieces& write);
// The same page as one text.
std::string reportHtml(const ReportContent& content);

}  // namespace ambiscan::report
