#include "analysis/summary.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "analysis/printFigure.hpp"
#include "platform/io/OutputFile.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

std::vector<std::string> cdfSummaryLines(const RunStatistics& stats) {
    std::vector<std::string> lines;
    for (const auto& s : stats) {
        lines.push_back(s.name + ":  Rel. = " + formatNumber("%.3f", s.PercentGood) + "%; " +
                        "East Sig = " + formatNumber("%.3f", s.InitESigma) + "m; " +
                        "North Sig = " + formatNumber("%.3f", s.InitNSigma) + "m; " +
                        "Height Sig = " + formatNumber("%.3f", s.InitUSigma) + "m; ");
    }
    return lines;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string statsHeader() {
    return formatText(
        "Test Title,Data set,Run Time (hour),Reliability [%%],90%% Init [Sec],Max Init [Sec],"
        "Mean. Init [Sec],Median Init [Sec],Num Inits,E-Mean [m],E-Sigma [m],N-Mean [m],"
        "N-Sigma [m],U-Mean [m],U-Sigma [m]\\n");
}

std::string statsLine(const std::string& MainTitle, const DataSetStatistics& s) {
    const auto number = [](double v) { return Value(Matrix::scalar(v)); };
    return csvField(MainTitle) + "," + csvField(s.name) + "," +
           formatText("%f,%f,%f,%d,%f,%d,%d,%f,%f,%f,%f,%f,%f\\n",
                      {number(s.InitHours), number(s.PercentGood), number(s.Init90),
                       number(roundHalfAway(s.InitMax)), number(s.InitAv),
                       number(std::floor(s.InitMedian)), number(s.InitNum), number(s.InitEMean),
                       number(s.InitESigma), number(s.InitNMean), number(s.InitNSigma),
                       number(s.InitUMean), number(s.InitUSigma)});
}

void writeFileAtomically(const std::filesystem::path& path, const std::string& content) {
    OutputFile out(path.string(), path.string());
    if (std::fwrite(content.data(), 1, content.size(), out.stream()) != content.size()) {
        out.fail(std::strerror(errno));
    }
    out.commit();
}

void writeSummary(RunContext& run, graphics::Handle CDFFig, const RunStatistics& stats,
                  const std::string& MainTitle) {
    auto& g = run.graphics;
    g.figure(CDFFig);
    g.text(30, 25, cdfSummaryLines(stats));
    printAndClose(run, "InitTimeCDF.png");

    std::string content = statsHeader();
    for (const auto& s : stats) {
        content += statsLine(MainTitle, s);
    }
    settleFigures(run);
    writeFileAtomically(run.outputDir / "stats.csv", content);
}

}  // namespace ambiscan::analysis
