#pragma once

#include <filesystem>
#include <string>

namespace ambiscan {

// The hidden name an output file has between being linked into the folder and being renamed
// into place: ".ambiscan-<process id>-<unique part>.tmp". A run killed in that moment leaves it.
std::string temporaryOutputName(const std::string& uniquePart);

// Removes from `folder` the hidden temporary files left by ambiscan runs that are no longer
// alive (their process id names no running process). Files of live runs, and anything not
// named like a temporary output file, stay. Failures to remove are passed over: a leftover
// does no harm to this run.
void removeStaleTemporaries(const std::filesystem::path& folder);

}  // namespace ambiscan
