#include "analysis/statsCsv.hpp"

#include <cmath>

#include "platform/numeric/Format.hpp"
#include "platform/numeric/Statistics.hpp"

namespace ambiscan::analysis {

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

std::string statsCsv(const RunResults& results) {
    std::string content = statsHeader();
    for (const DataSetResults& d : results.dataSets) {
        content += statsLine(results.title, d.stats);
    }
    return content;
}

}  // namespace ambiscan::analysis
