#include "app/refuseOutputOverInput.hpp"

#include <sys/stat.h>

#include "app/outputNames.hpp"
#include "platform/base/PrintableText.hpp"
#include "platform/base/RuntimeError.hpp"

namespace ambiscan::app {

std::vector<std::string> runOutputNames(const RunOutputs& outputs) {
    std::vector<std::string> pngs = {"InitTimeCDF.png", "InitTimeDist.png", "InitTimeVTime.png"};
    for (const std::string& legend : outputs.legends) {
        for (const std::string& suffix : dataSetFileSuffixes()) {
            pngs.push_back(legend + suffix);
        }
        for (std::size_t gate = 0; gate < outputs.decisionCharts; ++gate) {
            pngs.push_back(legend + (gate == 0 ? "_Decision.png" : "_Decision_p90.png"));
        }
    }
    std::vector<std::string> names;
    for (const std::string& png : pngs) {
        for (const render::FigureFormat format : outputs.formats) {
            names.push_back(
                std::filesystem::path(png).replace_extension(render::formatName(format)).string());
        }
    }
    names.insert(names.end(), {"stats.csv", "summary.json"});
    if (outputs.report) {
        names.push_back("report.html");
    }
    return names;
}

void refuseOutputOverInput(const FileIdentity& input, const std::string& inputName,
                           const RunOutputs& outputs) {
    if (!input.regular) {
        return;
    }
    for (const std::string& name : runOutputNames(outputs)) {
        const std::filesystem::path output = outputs.folder / name;
        struct stat info {};
        if (::stat(output.c_str(), &info) == 0 && info.st_dev == input.device &&
            info.st_ino == input.inode) {
            throw RuntimeError("The run would write " +
                               printableText(output.string(), std::string::npos) +
                               " over its input " + printableText(inputName, std::string::npos) +
                               ": give another output folder (-o) or move the input");
        }
    }
}

}  // namespace ambiscan::app
