#include "platform/io/makeOutputFolder.hpp"

#include <system_error>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan {

void makeOutputFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        throw RuntimeError("Cannot create output folder " + folder.string() + ": " +
                           (error ? error.message() : "a file of that name is in the way"));
    }
}

}  // namespace ambiscan
