#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace ambiscan::report {

// What a lab files a run under, from the command line: a label (e.g. the firmware version;
// the title when none is given) and an optional free note.
struct RunLabel {
    std::optional<std::string> label;
    std::optional<std::string> note;
};

// Sets the summary's "label" (the title when no label is given) and "note" (null without one).
void addRunLabel(nlohmann::ordered_json& summary, const RunLabel& label);

}  // namespace ambiscan::report
