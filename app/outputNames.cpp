#include "app/outputNames.hpp"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <set>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::app {

const std::vector<std::string>& dataSetFileSuffixes() {
    static const std::vector<std::string> suffixes = {
        "_PosData.png",    "_PosData_GoodOnly.png", "_East_Hist.png",
        "_North_Hist.png", "_Height_Hist.png",      "_ENU_Hist.png",
    };
    return suffixes;
}

namespace {

std::size_t longestSuffix() {
    std::size_t longest = 0;
    for (const std::string& suffix : dataSetFileSuffixes()) {
        longest = std::max(longest, suffix.size());
    }
    return longest;
}

// The longest file name the folder's file system takes.
std::size_t nameMaxOf(const std::string& folder) {
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : static_cast<std::size_t>(NAME_MAX);
}

}  // namespace

std::string legendProblem(const std::string& legend, std::size_t nameMax) {
    if (legend.empty()) {
        return "it is empty";
    }
    if (legend == "." || legend == "..") {
        return "\".\" and \"..\" name folders, not files";
    }
    if (legend.find('/') != std::string::npos) {
        return "it contains \"/\", which would put the figures outside this folder";
    }
    if (legend.find('\0') != std::string::npos) {
        return "it contains a NUL character";
    }
    const std::size_t longest = legend.size() + longestSuffix() + kTemporaryNameReserve;
    if (longest > nameMax) {
        return "it is " + std::to_string(legend.size()) +
               " bytes long; file names in this folder take at most " + std::to_string(nameMax) +
               " bytes, so a legend may have at most " +
               std::to_string(nameMax > longestSuffix() + kTemporaryNameReserve
                                  ? nameMax - longestSuffix() - kTemporaryNameReserve
                                  : 0) +
               " bytes";
    }
    return "";
}

void checkLegendsNameFiles(const CellRow& legends, const std::string& folder) {
    const std::size_t nameMax = nameMaxOf(folder);
    std::set<std::string> names;
    for (const std::string& legend : legends) {
        const std::string problem = legendProblem(legend, nameMax);
        if (!problem.empty()) {
            throw RuntimeError("The legend \"" + legend +
                               "\" cannot name the output files: " + problem + ".");
        }
        for (const std::string& suffix : dataSetFileSuffixes()) {
            if (!names.insert(legend + suffix).second) {
                throw RuntimeError("The legend \"" + legend +
                                   "\" is given twice: the figures of the two data sets would "
                                   "overwrite each other. Give every data set its own legend.");
            }
        }
    }
}

}  // namespace ambiscan::app
