#include "platform/io/OutputFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/base/RuntimeError.hpp"
#include "platform/io/StaleTemporaries.hpp"

namespace ambiscan {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

std::string systemReason(int err, const char* otherwise) {
    return err != 0 ? std::strerror(err) : otherwise;
}

// What every output is created with: the system applies the process's umask, as for any file
// a program creates (reading the umask would mean setting it, which another thread may be doing).
constexpr mode_t kCreationMode = 0666;

// A fresh hidden name next to `path` for the moment between linking and renaming; it carries
// the process id, so that a later run can tell a leftover of a killed run.
std::string linkName(const std::string& path) {
    std::random_device entropy;
    return folderOf(path) + "/" + temporaryOutputName(std::to_string(entropy()));
}

}  // namespace

OutputFile::OutputFile(std::string path, std::string description)
    : path_(std::move(path)), description_(std::move(description)) {
    if (path_.empty() || path_.back() == '/') {
        fail("the file name is empty");
    }
    fd_ = ::open(folderOf(path_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kCreationMode);
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // No unnamed files here: fall back to a hidden temporary name, fresh for this file.
        for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
            const std::string name = linkName(path_);
            fd_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, kCreationMode);
            if (fd_ >= 0) {
                temporary_ = name;
            } else if (errno != EEXIST) {
                break;
            }
        }
    }
    if (fd_ < 0) {
        fail(systemReason(errno, "cannot create the file"));
    }
    file_ = fdopen(fd_, "wb");
    if (file_ == nullptr) {
        fail(systemReason(errno, "cannot open the file"));
    }
}

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
    } else if (fd_ >= 0) {
        ::close(fd_);
    }
    file_ = nullptr;
    fd_ = -1;
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

void OutputFile::fail(const std::string& reason) {
    discard();
    throw RuntimeError("Cannot write " + description_ + ": " + reason);
}

void OutputFile::commit() {
    errno = 0;
    if (std::fflush(file_) != 0 || std::ferror(file_)) {
        fail(systemReason(errno, "the write failed"));
    }
    if (temporary_.empty()) {
        // Give the unnamed file a hidden name, then move it over the old file in one step.
        std::string named;
        for (int attempt = 0; attempt < 16 && named.empty(); ++attempt) {
            const std::string candidate = linkName(path_);
            const std::string self = "/proc/self/fd/" + std::to_string(fd_);
            if (::linkat(fd_, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) == 0 ||
                ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) ==
                    0) {
                named = candidate;
            } else if (errno != EEXIST) {
                fail(systemReason(errno, "cannot give the file its name"));
            }
        }
        if (named.empty()) {
            fail("cannot find a free temporary name");
        }
        temporary_ = named;
    }
    const int closed = std::fclose(file_);
    const int closeError = errno;
    file_ = nullptr;
    fd_ = -1;
    if (closed != 0) {
        fail(systemReason(closeError, "the close failed"));
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        fail(systemReason(errno, "cannot replace the file"));
    }
    temporary_.clear();
}

}  // namespace ambiscan
