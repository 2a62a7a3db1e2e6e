#include "report/FigureCaptions.hpp"

#include <array>

namespace ambiscan::report {

namespace {

struct KnownFigure {
    const char* name;  // the whole file name, or the part after "<legend>" for a data set's
    const char* caption;
    const char* altText;
};

constexpr std::array<KnownFigure, 3> kRunFigures{{
    {"InitTimeDist.png", "Distribution of the times to fix, every receiver in its colour.",
     "Bar chart: percentage of attempts against the time to fix in seconds, per receiver."},
    {"InitTimeVTime.png", "Time to fix of every attempt against its start time (GPS time).",
     "Stem chart: seconds to fix of each attempt over the run, per receiver."},
    {"InitTimeCDF.png",
     "Cumulative distribution of the times to fix, with each receiver's reliability and sigmas.",
     "Line chart: percentage of attempts fixed against seconds, one curve per receiver."},
}};

constexpr std::array<KnownFigure, 6> kDataSetFigures{{
    {"_PosData.png", "East, north and height error of every fix against its start time.",
     "Three charts: east, north and height position error in metres over the run."},
    {"_PosData_GoodOnly.png", "The same position errors, good fixes only.",
     "Three charts: position errors of the good fixes in metres over the run."},
    {"_East_Hist.png", "Histogram of the east position errors.",
     "Bar chart: percentage of fixes against the east error in metres."},
    {"_North_Hist.png", "Histogram of the north position errors.",
     "Bar chart: percentage of fixes against the north error in metres."},
    {"_Height_Hist.png", "Histogram of the height errors.",
     "Bar chart: percentage of fixes against the height error in metres."},
    {"_ENU_Hist.png", "Histograms of the east, north and height errors together.",
     "Bar chart: percentage of fixes against the position error in metres, three axes."},
}};

}  // namespace

FigurePlace placeFigure(const std::string& fileName, const std::vector<std::string>& names) {
    for (const KnownFigure& known : kRunFigures) {
        if (fileName == known.name) {
            return {std::nullopt, known.caption, known.altText};
        }
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        for (const KnownFigure& known : kDataSetFigures) {
            if (fileName == names[k] + known.name) {
                return {k, known.caption, names[k] + ": " + known.altText};
            }
        }
    }
    return {std::nullopt, fileName, "Figure " + fileName};
}

}  // namespace ambiscan::report
