#include "platform/io/writeFileAtomically.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/io/OutputFile.hpp"

namespace ambiscan {

void writeFileAtomically(const std::filesystem::path& path, const std::string& content) {
    OutputFile out(path.string(), path.string());
    if (std::fwrite(content.data(), 1, content.size(), out.stream()) != content.size()) {
        out.fail(std::strerror(errno));
    }
    out.commit();
}

}  // namespace ambiscan
