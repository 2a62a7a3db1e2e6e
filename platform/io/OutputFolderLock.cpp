#include "platform/io/OutputFolderLock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan {

OutputFolderLock::OutputFolderLock(const std::filesystem::path& folder) {
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    int locked = 0;
    do {
        locked = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd_);
        fd_ = -1;
        if (held) {
            throw RuntimeError("another ambiscan run is writing in this folder");
        }
    }
}

OutputFolderLock::~OutputFolderLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // closing the last descriptor releases the lock
    }
}

}  // namespace ambiscan
