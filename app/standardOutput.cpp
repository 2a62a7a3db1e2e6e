#include "app/standardOutput.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "platform/runtime/Registry.hpp"

namespace ambiscan::app {

int finishStandardOutput(int status) {
    errno = 0;
    std::cout.flush();
    const bool streamFailed = !std::cout;
    const bool fileFailed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!streamFailed && !fileFailed) {
        return status;
    }
    const int error = errno;
    std::cerr << "ambiscan: cannot write to standard output"
              << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return status == runtime::kExitSuccess || status == runtime::kExitGateFailed
               ? runtime::kExitRunFailed
               : status;
}

}  // namespace ambiscan::app
