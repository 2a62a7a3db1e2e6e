#pragma once

#include <cstddef>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "analysis/RunResults.hpp"
#include "analysis/gates.hpp"
#include "evidence/Evidence.hpp"
#include "report/RunLabel.hpp"

namespace ambiscan::report {

// The input a run read: its file name, the SHA-256 of its bytes and the records it held.
struct InputFile {
    std::string name;
    std::string sha256;
    std::size_t records = 0;
};

// Keys keep the order they are added in, so that the file reads top-down as documented.
using Json = nlohmann::ordered_json;

// The "ambiscan-summary/2" object of summary.json. Numbers that are not finite (not defined)
// become null; callers may add top-level keys before writing it.
Json summaryJson(const analysis::RunResults& results, const evidence::RunEvidence& evidence,
                 const InputFile& input, const RunLabel& label = {});

// "gates": each gate the command line set, its threshold, and every receiver's value and result.
Json gatesJson(const std::vector<analysis::GateResult>& gates);

// The text of the file: indented by two, a line end at the end. Bytes of the title or a legend
// that are not UTF-8 are replaced by U+FFFD, so the file stays valid UTF-8.
std::string summaryText(const Json& summary);

// Writes summary.json whole or not at all; a failure raises a RuntimeError naming the file.
void writeSummaryJson(const std::filesystem::path& path, const Json& summary);

}  // namespace ambiscan::report
