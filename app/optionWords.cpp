#include "app/optionWords.hpp"

#include <algorithm>
#include <array>
#include <string_view>

#include "app/commandLine.hpp"
#include "platform/numeric/NumberScanner.hpp"

namespace ambiscan::app {

namespace {

const char* const kSeeHelp = " (see ambiscan --help)";

constexpr std::array<std::string_view, 7> kFlags = {
    "-h", "--help", "--version", "--no-report", "-q", "--quiet", "--fail-on-regression"};
constexpr std::array<std::string_view, 11> kValued = {
    "-i",      "--input", "-o",         "--output-dir", "--format",     "--require-reliability",
    "--label", "--note",  "--baseline", "--match",      "--require-p90"};

bool takesValue(std::string_view word) {
    return std::find(kValued.begin(), kValued.end(), word) != kValued.end();
}

}  // namespace

double optionNumber(const std::string& option, const std::string& text, double lowest,
                    double highest, const std::string& expected) {
    double value = 0;
    if (!isWholeNumber(text, value) || !(value >= lowest && value <= highest)) {
        throw CommandLineError("ambiscan: " + option + ": \"" + text + "\" is not " + expected +
                               kSeeHelp);
    }
    return value;
}

void refuseFlagValues(const std::vector<std::string>& arguments) {
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string_view word = arguments[k];
        if (word == "--" || word.size() < 2 || word.front() != '-') {
            return;
        }
        const std::string_view name = word.substr(0, word.find('='));
        if (name.size() < word.size() &&
            std::find(kFlags.begin(), kFlags.end(), name) != kFlags.end()) {
            throw CommandLineError("ambiscan: " + std::string(name) + " takes no value" + kSeeHelp);
        }
        if (name.size() == word.size() && takesValue(word)) {
            ++k;  // its value, whatever it looks like
        }
    }
}

}  // namespace ambiscan::app
