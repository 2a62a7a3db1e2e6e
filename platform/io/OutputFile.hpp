#pragma once

#include <cstdio>
#include <string>

namespace ambiscan {

// An output file that appears complete or not at all. It is written without a name in the
// folder of its path and linked into place by commit(), which replaces an older file in one
// step. A run that fails or is killed before then leaves the folder as it was: the unnamed
// file vanishes with the process. Where the file system has no unnamed files, a hidden
// temporary file is used instead and removed on failure.
//
// Every failure raises a RuntimeError "Cannot write <description>: <the system's reason>".
class OutputFile {
  public:
    OutputFile(std::string path, std::string description);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::FILE* stream() const { return file_; }

    // Flushes, closes and gives the file its name.
    void commit();
    // Throws the content away and raises the error with `reason`.
    [[noreturn]] void fail(const std::string& reason);

  private:
    void discard();

    std::string path_;
    std::string description_;
    std::string temporary_;  // the named temporary file, when unnamed files are not available
    std::FILE* file_ = nullptr;
    int fd_ = -1;
};

}  // namespace ambiscan
