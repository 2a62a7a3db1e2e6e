#include "campaign/RunSummary.hpp"

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::campaign {

namespace {

using Json = nlohmann::json;

[[noreturn]] void refuse(const std::string& run, const std::string& problem) {
    throw RuntimeError("ambiscan: --compare: " + run + ": " + problem);
}

// A key's value of the given kind, or the refusal naming the key.
const Json& member(const Json& object, const char* key, const std::string& run,
                   const std::string& where) {
    if (!object.is_object() || !object.contains(key)) {
        refuse(run, "not an ambiscan summary (no \"" + where + key + "\")");
    }
    return object.at(key);
}

std::size_t count(const Json& object, const char* key, const std::string& run,
                  const std::string& where) {
    const Json& value = member(object, key, run, where);
    if (!value.is_number_unsigned()) {
        refuse(run, "not an ambiscan summary (\"" + where + key + "\" is not a count)");
    }
    return value.get<std::size_t>();
}

std::string text(const Json& object, const char* key, const std::string& run,
                 const std::string& where) {
    const Json& value = member(object, key, run, where);
    if (!value.is_string()) {
        refuse(run, "not an ambiscan summary (\"" + where + key + "\" is not a text)");
    }
    return value.get<std::string>();
}

ReceiverRecord receiver(const Json& d, const std::string& run, std::size_t index) {
    const std::string where = "data_sets[" + std::to_string(index) + "].";
    ReceiverRecord r;
    r.name = text(d, "name", run, where);
    // Legends name the comparison's figure files, as they named the run's.
    if (r.name.empty() || r.name == "." || r.name == ".." ||
        r.name.find_first_of(std::string("/\0", 2)) != std::string::npos) {
        refuse(run, "not an ambiscan summary (the legend \"" + r.name + "\" cannot name a file)");
    }
    r.attempts = count(d, "attempts", run, where);
    r.good = count(d, "good", run, where);
    const Json& times = member(d, "time_to_correct_fix_s", run, where);
    const std::string inner = where + "time_to_correct_fix_s.";
    r.times.noCorrectFix = count(times, "no_correct_fix", run, inner);
    const Json& distribution = member(times, "distribution", run, inner);
    const auto bad = [&] {
        refuse(run, "not an ambiscan summary (\"" + inner +
                        "distribution\" is not [[t, count], ...] ascending)");
    };
    if (!distribution.is_array()) {
        bad();
    }
    std::size_t total = r.times.noCorrectFix;
    for (const Json& pair : distribution) {
        if (!pair.is_array() || pair.size() != 2 || !pair[0].is_number() ||
            !pair[1].is_number_unsigned()) {
            bad();
        }
        const double t = pair[0].get<double>();
        const auto n = pair[1].get<std::size_t>();
        if (!std::isfinite(t) || n == 0 ||
            (!r.times.finite.empty() && !(t > r.times.finite.back().first))) {
            bad();
        }
        r.times.finite.emplace_back(t, n);
        total += n;
    }
    if (r.good > r.attempts || total != r.attempts) {
        refuse(run, "not an ambiscan summary (the counts of \"" + r.name + "\" do not add up)");
    }
    return r;
}

}  // namespace

RunRecord readRunSummary(const std::filesystem::path& run) {
    const std::string name = run.string();
    std::error_code ignored;
    const std::filesystem::path file =
        std::filesystem::is_directory(run, ignored) ? run / "summary.json" : run;
    if (!std::filesystem::exists(file, ignored)) {
        refuse(name, std::filesystem::exists(run, ignored) ? "no summary.json in this folder"
                                                           : "no such file or folder");
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        refuse(name, "cannot read " + file.string());
    }
    const Json summary = Json::parse(bytes.str(), nullptr, false);
    if (summary.is_discarded() || !summary.is_object() || !summary.contains("schema") ||
        !summary["schema"].is_string()) {
        refuse(name, "not an ambiscan summary (no JSON object with a \"schema\")");
    }
    const std::string schema = summary["schema"].get<std::string>();
    if (schema != kSummarySchema) {
        const std::string family = "ambiscan-summary/";
        if (schema.rfind(family, 0) != 0) {
            refuse(name, "not an ambiscan summary (schema \"" + schema + "\")");
        }
        // Versions compare as numbers: /10 is newer than /2.
        const std::string version = schema.substr(family.size());
        const bool older = version.size() < 2 ? version < "2" : false;
        refuse(name, "schema " + schema + " is " + (older ? "older" : "newer") + " than " +
                         kSummarySchema + (older ? "; run ambiscan on its input again" : ""));
    }
    RunRecord record;
    record.source = name;
    record.title = text(summary, "title", name, "");
    record.label = text(summary, "label", name, "");
    if (summary.contains("note") && summary["note"].is_string()) {
        record.note = summary["note"].get<std::string>();
    }
    record.programVersion = text(member(summary, "program", name, ""), "version", name, "program.");
    const Json& input = member(summary, "input", name, "");
    record.inputFile = text(input, "file", name, "input.");
    record.inputSha256 = text(input, "sha256", name, "input.");
    record.records = count(input, "records", name, "input.");
    const Json& dataSets = member(summary, "data_sets", name, "");
    if (!dataSets.is_array() || dataSets.empty()) {
        refuse(name, "not an ambiscan summary (no receivers in \"data_sets\")");
    }
    std::set<std::string> legends;
    for (std::size_t k = 0; k < dataSets.size(); ++k) {
        record.receivers.push_back(receiver(dataSets[k], name, k));
        if (!legends.insert(record.receivers.back().name).second) {
            refuse(name, "names the legend \"" + record.receivers.back().name + "\" twice");
        }
    }
    return record;
}

}  // namespace ambiscan::campaign
