#pragma once

#include <filesystem>
#include <string>

namespace ambiscan {

// Writes `content` to `path` through a temporary file in the same folder renamed into place,
// so that a failed run never leaves a half-written file. Raises a RuntimeError naming the file.
void writeFileAtomically(const std::filesystem::path& path, const std::string& content);

}  // namespace ambiscan
