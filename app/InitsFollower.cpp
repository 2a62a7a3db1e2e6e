#include "app/InitsFollower.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/readInits.hpp"
#include "platform/base/PrintableText.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/numeric/NumberScanner.hpp"

namespace ambiscan::app {

namespace {

constexpr std::size_t kBlock = 1 << 20;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

InitsFollower::InitsFollower(const std::filesystem::path& path, std::size_t recordLength)
    : path_(path), name_(path.filename().string()), recordLength_(recordLength) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd_ >= 0 && fstat(fd_, &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            ::close(fd_);
            throw RuntimeError(name_ + " is a folder");
        }
        regular_ = S_ISREG(info.st_mode);
        device_ = info.st_dev;
        inode_ = info.st_ino;
    }
}

InitsFollower::~InitsFollower() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t InitsFollower::poll(std::vector<double>& records) {
    struct stat now {};
    if (::stat(path_.c_str(), &now) != 0 || now.st_dev != device_ || now.st_ino != inode_) {
        throw RuntimeError(name_ +
                           " was replaced or removed while being watched; the outputs of "
                           "the last refresh are kept");
    }
    struct stat open {};
    if (fstat(fd_, &open) != 0 || open.st_size < offset_) {
        throw RuntimeError(name_ + " was truncated while being watched (" +
                           std::to_string(open.st_size) + " bytes, " + std::to_string(offset_) +
                           " read); the outputs of the last refresh are kept");
    }
    std::size_t added = 0;
    std::string block(kBlock, '\0');
    for (;;) {
        const ssize_t got = ::pread(fd_, block.data(), block.size(), offset_);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw RuntimeError("Cannot read " + name_ + ": " + std::strerror(errno));
        }
        if (got == 0) {
            break;
        }
        offset_ += got;
        const std::string_view bytes(block.data(), static_cast<std::size_t>(got));
        digest_.update(bytes.data(), bytes.size());
        take(bytes, records, added);
    }
    return added;
}

void InitsFollower::take(std::string_view bytes, std::vector<double>& records, std::size_t& added) {
    pending_.append(bytes);
    // Everything up to the last white space holds whole tokens; the rest waits for more.
    const auto last = std::find_if(pending_.rbegin(), pending_.rend(), isBlank);
    if (last == pending_.rend()) {
        return;
    }
    const std::size_t whole = static_cast<std::size_t>(pending_.rend() - last);
    const std::string text = pending_.substr(0, whole);
    pending_.erase(0, whole);
    std::vector<double> values;
    const ScanStop stop = scanNumbers(text, values);
    if (stop.atText) {
        throw RuntimeError(name_ + " line " + std::to_string(linesBefore_ + stop.line) +
                           ": reading stopped at \"" + printableText(stop.token) +
                           "\", which is not a number; watching stopped, the outputs of the "
                           "last refresh are kept");
    }
    checkRecordLength(name_, stop.numbersPerLine, recordLength_);
    linesBefore_ += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    for (const double v : values) {
        partial_.push_back(v);
        if (partial_.size() == recordLength_) {
            records.insert(records.end(), partial_.begin(), partial_.end());
            partial_.clear();
            ++added;
        }
    }
}

}  // namespace ambiscan::app
