#pragma once

#include <filesystem>

namespace ambiscan {

// An advisory lock on the output folder, held for the life of the object, so that two runs
// writing into one folder do not mix their files. A second run refuses at once with the
// RuntimeError "another ambiscan run is writing in this folder". A folder that cannot be
// opened for the lock (no read permission) is written without it, as before.
class OutputFolderLock {
  public:
    explicit OutputFolderLock(const std::filesystem::path& folder);
    ~OutputFolderLock();
    OutputFolderLock(const OutputFolderLock&) = delete;
    OutputFolderLock& operator=(const OutputFolderLock&) = delete;

  private:
    int fd_ = -1;
};

}  // namespace ambiscan
