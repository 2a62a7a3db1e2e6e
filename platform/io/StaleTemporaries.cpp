#include "platform/io/StaleTemporaries.hpp"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

namespace ambiscan {

namespace {

constexpr std::string_view kPrefix = ".ambiscan-";
constexpr std::string_view kSuffix = ".tmp";

bool isUniquePart(std::string_view text) {
    for (const char c : text) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum) {
            return false;
        }
    }
    return !text.empty();
}

// The process id in a temporary output name (".ambiscan-<digits>.tmp" of earlier runs, or
// ".ambiscan-<digits>-<unique part>.tmp"); nothing for any other name.
std::optional<unsigned long long> processOf(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    name.remove_prefix(kPrefix.size());
    name.remove_suffix(kSuffix.size());
    const std::size_t dash = name.find('-');
    const std::string_view digits = name.substr(0, dash);
    if (dash != std::string_view::npos && !isUniquePart(name.substr(dash + 1))) {
        return std::nullopt;
    }
    unsigned long long pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (digits.empty() || error == std::errc::invalid_argument ||
        end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    // Too large for a process id: no process can own it.
    return error == std::errc::result_out_of_range ? ULLONG_MAX : pid;
}

bool isAlive(unsigned long long pid) {
    if (pid == 0 || pid > static_cast<unsigned long long>(INT_MAX)) {
        return false;  // kill() would mean a process group here; no process has this id
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

std::string temporaryOutputName(const std::string& uniquePart) {
    return std::string(kPrefix) + std::to_string(::getpid()) + "-" + uniquePart +
           std::string(kSuffix);
}

void removeStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::optional<unsigned long long> pid =
            processOf(entries->path().filename().string());
        std::error_code ignored;
        if (pid && !isAlive(*pid) && entries->is_regular_file(ignored) &&
            !entries->is_symlink(ignored)) {
            std::filesystem::remove(entries->path(), ignored);
        }
    }
}

}  // namespace ambiscan
