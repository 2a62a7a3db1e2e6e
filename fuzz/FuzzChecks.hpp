#pragma once

// The checks behind the fuzz targets, shared with the test that replays the corpus. Each check
// returns an empty text when the input was handled soundly, else what went wrong.

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/RunResults.hpp"
#include "analysis/analyseRun.hpp"
#include "app/doRTKInitPlot.hpp"
#include "app/readInits.hpp"
#include "evidence/Evidence.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/encoding/Sha256.hpp"
#include "platform/numeric/NumberScanner.hpp"
#include "report/SummaryJson.hpp"

namespace ambiscan::fuzz {

// The first byte picks the number of receivers (1 to 5); the rest is the file's text.
struct FuzzInput {
    std::size_t receivers = 1;
    std::string text;
};

inline FuzzInput splitInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input;
    if (size == 0) {
        return input;
    }
    input.receivers = 1 + data[0] % 5;
    input.text.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    return input;
}

inline bool sameNumber(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

// Whether the reader must refuse a file the in-memory scanner read as `numbers` and `stop`:
// no number, a layout of one record a line for another receiver count, a line that would
// shift the columns, or text before one whole record or inside a record.
inline bool mustRefuse(const std::vector<double>& numbers, const ScanStop& stop,
                       std::size_t recordLength) {
    const std::size_t perLine = stop.numbersPerLine;
    const bool otherReceivers =
        perLine % 4 == 1 && perLine / 4 >= 1 && perLine / 4 <= 5 && perLine != recordLength;
    const bool textInRecord =
        stop.atText && (numbers.size() < recordLength || numbers.size() % recordLength != 0);
    return numbers.empty() || otherReceivers || stop.misfit.line != 0 || textInRecord;
}

// Reads the text as inits.txt through the file reader and checks the matrix against the
// numbers the in-memory scanner finds: same values, record r in row r, zeros after the last;
// files of the wrong form refused, no control byte of the file echoed in a warning, and the
// digest the one of every byte of the file.
inline std::string checkReadText(const std::string& text, std::size_t receivers) {
    const std::size_t recordLength = 4 * receivers + 1;
    const int fd = memfd_create("inits.txt", 0);
    if (fd < 0) {
        return "memfd_create failed";
    }
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t got = ::write(fd, text.data() + written, text.size() - written);
        if (got <= 0) {
            ::close(fd);
            return "writing the memory file failed";
        }
        written += static_cast<std::size_t>(got);
    }
    std::ostringstream out;
    std::ostringstream err;
    std::optional<app::InitsFile> file;
    std::string refusal;
    try {
        file =
            app::readInits("/proc/self/fd/" + std::to_string(fd), recordLength, Console{out, err});
    } catch (const RuntimeError& error) {
        refusal = error.what();
    }
    ::close(fd);
    std::vector<double> expected;
    const ScanStop stop = scanNumbers(text, expected, recordLength);
    if (mustRefuse(expected, stop, recordLength)) {
        return refusal.empty() ? "a file of the wrong form was read" : "";
    }
    if (!refusal.empty()) {
        return "a readable file was refused: " + refusal;
    }
    if (!file) {
        return "the reader could not open the file";
    }
    for (const char c : err.str()) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7f) {
            return "a control byte reached a warning";
        }
    }
    if (file->numbersRead != expected.size()) {
        return "the reader counted " + std::to_string(file->numbersRead) +
               " numbers, the scanner " + std::to_string(expected.size());
    }
    const Matrix& inits = file->inits;
    const std::size_t rows = (expected.size() + recordLength - 1) / recordLength;
    if (inits.rows() != rows || inits.cols() != recordLength) {
        return "the matrix is " + std::to_string(inits.rows()) + "x" +
               std::to_string(inits.cols()) + ", not " + std::to_string(rows) + "x" +
               std::to_string(recordLength);
    }
    for (std::size_t k = 0; k < rows * recordLength; ++k) {
        const double want = k < expected.size() ? expected[k] : 0.0;
        if (!sameNumber(inits(k / recordLength, k % recordLength), want)) {
            return "number " + std::to_string(k) + " landed wrongly";
        }
    }
    Sha256 whole;
    whole.update(text.data(), text.size());
    if (file->sha256 != whole.hex()) {
        return "the digest is not the one of the file's bytes";
    }
    const bool partial = expected.size() % recordLength != 0;
    if (partial != (err.str().find("completed with zeros") != std::string::npos)) {
        return "the partial-record warning does not match the count";
    }
    return "";
}

inline std::string checkReadInits(const std::uint8_t* data, std::size_t size) {
    const FuzzInput input = splitInput(data, size);
    return checkReadText(input.text, input.receivers);
}

// The reader's blocks are 1 MiB and a token once was cut at 64 MiB; these inputs grow one byte
// of the text into a run that ends near such an edge, so that long tokens (numbers, text or
// white space) meet every block edge the reader has.
inline constexpr std::size_t kLongRun = std::size_t{64} << 20;

// Byte 0 picks the receivers, byte 1 the run's length around 64 MiB (or, when odd, around
// 1 MiB), byte 2 where in the text the run goes; the rest is the text.
inline std::string checkHugeToken(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return "";
    }
    const FuzzInput input = splitInput(data, size);
    const std::string text = input.text.substr(2);
    if (text.empty()) {
        return "";
    }
    const int shift = static_cast<int>(data[1] >> 1) - 64;
    const std::size_t around = (data[1] & 1) != 0 ? std::size_t{1} << 20 : kLongRun;
    const std::size_t at = data[2] % text.size();
    const auto length = static_cast<std::size_t>(static_cast<long>(around) + shift);
    std::string grown = text.substr(0, at);
    grown.append(length, text[at]);
    grown.append(text, at, std::string::npos);
    return checkReadText(grown, input.receivers);
}

// Runs the whole analysis on the numbers of the text (at most `maxRecords` records), writing
// into `folder`, which must be empty. A sound run ends normally or with a runtime error, and
// leaves either every file or no stats.csv, never a temporary file. The folder is emptied after.
// The evidence of a finished run: it must make valid JSON, and no interval may run backwards.
inline std::string checkSummary(const analysis::RunResults& results) {
    const evidence::RunEvidence evidence = evidence::assess(results);
    const std::string text = report::summaryText(
        report::summaryJson(results, evidence, {"inits.txt", "", results.startTimes.numel()}));
    if (!nlohmann::json::accept(text)) {
        return "summary.json is not valid JSON";
    }
    for (const evidence::DataSetEvidence& e : evidence.dataSets) {
        for (const evidence::Interval& i : {e.reliabilityCi95Percent, e.p90Ci95, e.medianCi95}) {
            if (i.lower > i.upper) {
                return "an interval of " + e.name + " runs backwards";
            }
        }
    }
    return "";
}

// The records of the input's numbers, at most `maxRecords` of them, the last completed with
// zeros; empty when the text holds no number.
inline Matrix recordsOf(const FuzzInput& input, std::size_t maxRecords) {
    const std::size_t recordLength = 4 * input.receivers + 1;
    std::vector<double> numbers;
    scanNumbers(input.text, numbers);
    if (numbers.empty()) {
        return Matrix();
    }
    const std::size_t rows =
        std::min(maxRecords, (numbers.size() + recordLength - 1) / recordLength);
    numbers.resize(rows * recordLength, 0.0);
    Matrix inits(rows, recordLength);
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        inits(k / recordLength, k % recordLength) = numbers[k];
    }
    return inits;
}

inline CellRow fuzzLegends(std::size_t receivers) {
    const CellRow names{"RxA", "RxB", "RxC", "RxD", "RxE"};
    return CellRow(names.begin(), names.begin() + static_cast<long>(receivers));
}

inline std::string checkAnalysis(const std::uint8_t* data, std::size_t size,
                                 const std::filesystem::path& folder, std::size_t maxRecords = 64) {
    const FuzzInput input = splitInput(data, size);
    const Matrix inits = recordsOf(input, maxRecords);
    if (inits.numel() == 0) {
        return "";
    }
    const CellRow legends = fuzzLegends(input.receivers);

    std::ostringstream out;
    std::ostringstream err;
    app::RunContext run{Console{out, err}, folder};
    analysis::RunResults results;
    std::string failure;
    bool finished = false;
    try {
        results = app::doRTKInitPlot(run, inits, legends, "Fuzz");
        finished = true;
    } catch (const RuntimeError&) {
        // A runtime error is a documented way for a run to end.
    }
    std::size_t files = 0;
    bool stats = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        ++files;
        stats = stats || name == "stats.csv";
        if (name.find(".tmp") != std::string::npos || name.rfind(".ambiscan", 0) == 0) {
            failure = "a temporary file was left behind: " + name;
        }
    }
    if (failure.empty() && finished && !stats) {
        failure = "the run finished without writing stats.csv";
    }
    if (failure.empty() && finished && files < 4 + 5 * input.receivers) {
        failure = "the run finished with only " + std::to_string(files) + " files";
    }
    if (failure.empty() && finished) {
        failure = checkSummary(results);
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::remove(entry.path());
    }
    return failure;
}

// What holds for the numbers of any run, whatever its records: counts that add up, shares in
// [0, 100], intervals in order around their estimate, p-values in [0, 1] with Holm's never
// below the raw one, and NaN only where a value is not defined.
namespace results_checks {

inline bool isPercent(double x) {
    return x >= 0 && x <= 100;
}

inline bool isProbability(double x) {
    return x >= 0 && x <= 1;
}

// Empty when the interval is in order and, where its bounds and the estimate are finite,
// holds the estimate.
inline std::string intervalProblem(const evidence::Interval& i, double estimate) {
    if (std::isfinite(i.lower) && std::isfinite(i.upper) && i.lower > i.upper) {
        return "runs backwards";
    }
    if (std::isfinite(estimate) && std::isfinite(i.lower) && estimate < i.lower) {
        return "lies above its estimate";
    }
    if (std::isfinite(estimate) && std::isfinite(i.upper) && estimate > i.upper) {
        return "lies below its estimate";
    }
    return "";
}

// A percentage's interval: also within [0, 100].
inline std::string percentIntervalProblem(const evidence::Interval& i, double estimate) {
    const std::string problem = intervalProblem(i, estimate);
    if (!problem.empty()) {
        return problem;
    }
    if (!std::isnan(i.lower) && !isPercent(i.lower)) {
        return "starts outside [0, 100]";
    }
    if (!std::isnan(i.upper) && !isPercent(i.upper)) {
        return "ends outside [0, 100]";
    }
    return "";
}

inline std::string dataSetProblem(const evidence::DataSetEvidence& e,
                                  const analysis::DataSetResults& d, std::size_t attempts) {
    if (e.attempts != attempts || e.good + e.bad != e.attempts) {
        return "good " + std::to_string(e.good) + " + bad " + std::to_string(e.bad) +
               " is not the " + std::to_string(attempts) + " attempts";
    }
    if (e.correctFixes > e.attempts || e.allFixes > e.attempts || e.badFixes.size() != e.bad ||
        d.badRows.size() != e.bad) {
        return "a count exceeds the attempts or the bad fixes are miscounted";
    }
    if (!isPercent(e.reliabilityPercent) || !isPercent(e.correctFixPercent) ||
        !isPercent(d.stats.PercentGood)) {
        return "a percentage is outside [0, 100] or NaN";
    }
    if (d.stats.InitNum != static_cast<double>(attempts)) {
        return "stats.csv's count is not the attempts";
    }
    const std::pair<const char*, std::string> intervals[] = {
        {"reliability", percentIntervalProblem(e.reliabilityCi95Percent, e.reliabilityPercent)},
        {"correct-fix share", percentIntervalProblem(e.correctFixCi95Percent, e.correctFixPercent)},
        {"90 % time", intervalProblem(e.p90Ci95, std::nan(""))},
        {"median time", intervalProblem(e.medianCi95, std::nan(""))},
        {"time to a correct fix, 50 %",
         intervalProblem(e.timeToCorrectFixP50Ci95, e.timeToCorrectFixP50)},
        {"time to a correct fix, 90 %",
         intervalProblem(e.timeToCorrectFixP90Ci95, e.timeToCorrectFixP90)},
        {"horizontal 95 %", intervalProblem(e.allHorizontalP95Ci95, e.allHorizontalP95)},
        {"vertical 95 %", intervalProblem(e.allVerticalAbsP95Ci95, e.allVerticalAbsP95)},
    };
    for (const auto& [what, problem] : intervals) {
        if (!problem.empty()) {
            return "the " + std::string(what) + " interval " + problem;
        }
    }
    if (!isProbability(e.independence.runsTestP) && !std::isnan(e.independence.runsTestP)) {
        return "the runs test's p-value is outside [0, 1]";
    }
    return "";
}

inline std::string comparisonProblem(const evidence::Comparison& c, std::size_t attempts) {
    if (c.pairs != attempts || c.aGoodBBad + c.aBadBGood > c.pairs ||
        c.bothCorrect + c.onlyACorrect + c.onlyBCorrect > c.pairs || c.nonzeroPairs > c.pairs) {
        return "the pair counts exceed the attempts";
    }
    for (const double p : {c.mcnemarExactP, c.reliabilityPHolm, c.wilcoxonP, c.timePHolm}) {
        if (!isProbability(p)) {
            return "a p-value is outside [0, 1] or NaN";
        }
    }
    if (c.reliabilityPHolm < c.mcnemarExactP || c.timePHolm < c.wilcoxonP) {
        return "a Holm-adjusted p-value is below the raw one";
    }
    if (!(c.differencePercent >= -100 && c.differencePercent <= 100)) {
        return "the reliability difference is outside [-100, 100] or NaN";
    }
    const std::string difference = intervalProblem(c.differenceCi95Percent, c.differencePercent);
    if (!difference.empty()) {
        return "the reliability difference's interval " + difference;
    }
    const std::string shift = intervalProblem(c.hodgesLehmannCi95Seconds, c.hodgesLehmannSeconds);
    if (!shift.empty()) {
        return "the Hodges-Lehmann interval " + shift;
    }
    return "";
}

}  // namespace results_checks

// The analysis and the evidence on the input's records (at most `maxRecords`), no figure drawn
// and no file written. A runtime error is a documented end; otherwise every invariant above.
inline std::string checkResults(const std::uint8_t* data, std::size_t size,
                                std::size_t maxRecords = 64) {
    const FuzzInput input = splitInput(data, size);
    const Matrix inits = recordsOf(input, maxRecords);
    if (inits.numel() == 0) {
        return "";
    }
    analysis::RunResults results;
    evidence::RunEvidence evidence;
    try {
        results = analysis::analyseRun(inits, fuzzLegends(input.receivers), "Fuzz");
        evidence = evidence::assess(results);
    } catch (const RuntimeError&) {
        return "";
    }
    const std::size_t attempts = inits.rows();
    const std::size_t n = input.receivers;
    if (results.numInits != static_cast<double>(attempts) || results.dataSets.size() != n ||
        evidence.dataSets.size() != n) {
        return "the results do not hold one data set per receiver over every attempt";
    }
    if (evidence.comparisons.size() != n * (n - 1) / 2 ||
        evidence.comparedPValues != 2 * evidence.comparisons.size()) {
        return "not every pair of receivers is compared once";
    }
    for (std::size_t k = 0; k < n; ++k) {
        const std::string problem =
            results_checks::dataSetProblem(evidence.dataSets[k], results.dataSets[k], attempts);
        if (!problem.empty()) {
            return evidence.dataSets[k].name + ": " + problem;
        }
    }
    for (const evidence::Comparison& c : evidence.comparisons) {
        const std::string problem = results_checks::comparisonProblem(c, attempts);
        if (!problem.empty()) {
            return "comparison " + std::to_string(c.a) + "-" + std::to_string(c.b) + ": " + problem;
        }
    }
    return "";
}

}  // namespace ambiscan::fuzz
