#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "campaign/TimeSample.hpp"

namespace ambiscan::campaign {

// The schema a run's summary.json must have to be compared.
inline constexpr const char* kSummarySchema = "ambiscan-summary/2";

// One receiver of a run, as its summary.json records it.
struct ReceiverRecord {
    std::string name;
    std::size_t attempts = 0, good = 0;
    TimeSample times;  // times to a correct fix
};

// What a comparison needs of one run, read from its summary.json alone.
struct RunRecord {
    std::string source;              // the RUN as given on the command line
    std::string label, title, note;  // note empty when none
    std::string programVersion;
    std::string inputFile, inputSha256;
    std::size_t records = 0;
    std::vector<ReceiverRecord> receivers;
};

// Reads RUN, a folder holding summary.json or the file itself. Refuses with a one-line
// RuntimeError naming RUN: missing, not a summary, of another schema, a legend named twice.
RunRecord readRunSummary(const std::filesystem::path& run);

}  // namespace ambiscan::campaign
