#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "app/readInits.hpp"
#include "platform/encoding/Sha256.hpp"

namespace ambiscan::app {

// Follows an inits file as the rig appends to it: each poll reads only the bytes added since
// the last one. A number counts only once white space follows it, and a record only once all its
// numbers are in: a record still being written is never completed with zeros.
class InitsFollower {
  public:
    // Opens the file; isOpen() says whether that worked.
    InitsFollower(const std::filesystem::path& path, std::size_t recordLength);
    ~InitsFollower();
    InitsFollower(const InitsFollower&) = delete;
    InitsFollower& operator=(const InitsFollower&) = delete;
    bool isOpen() const { return fd_ >= 0; }
    // Which file it is, to tell an output that would replace it.
    FileIdentity identity() const { return {regular_, device_, inode_}; }

    // Appends the records completed since the last poll to `records` (row after row, each of
    // recordLength numbers) and returns how many there were. Throws RuntimeError naming the
    // file when it was truncated, replaced or removed, cannot be read, or holds text that is not
    // a number.
    std::size_t poll(std::vector<double>& records);

    // SHA-256 of the bytes read so far.
    std::string sha256() const { return digest_.hexSoFar(); }

  private:
    void take(std::string_view text, std::vector<double>& records, std::size_t& added);

    std::filesystem::path path_;
    std::string name_;
    std::size_t recordLength_;
    int fd_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool regular_ = false;
    off_t offset_ = 0;
    std::string pending_;          // bytes after the last white space: a token maybe unfinished
    std::vector<double> partial_;  // numbers of the record being written
    std::size_t linesBefore_ = 0;  // lines of the text taken so far, for messages
    Sha256 digest_;
};

}  // namespace ambiscan::app
