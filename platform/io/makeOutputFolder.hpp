#pragma once

#include <filesystem>

namespace ambiscan {

// Creates the output folder and the folders above it that are missing. Throws RuntimeError
// ("Cannot create output folder ...: reason") when it cannot be had, also when a file of that
// name is in the way.
void makeOutputFolder(const std::filesystem::path& folder);

}  // namespace ambiscan
