#pragma once

#include <filesystem>
#include <string>

namespace ambiscan::report {

// SHA-256 of the file's bytes as 64 lower-case hex digits. Raises a RuntimeError naming the
// file when it cannot be read.
std::string sha256Hex(const std::filesystem::path& path);

}  // namespace ambiscan::report
