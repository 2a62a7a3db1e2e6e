#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace ambiscan::testing {

// A scratch folder that disappears with the test.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ambiscan-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// The names in a folder, in order.
inline std::set<std::string> filesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A sanitizer's build: its shadow memory needs more address space than a memory limit leaves,
// so runs under a limit are the optimised and debug builds' to check.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool kUnderSanitizer = true;
#else
inline constexpr bool kUnderSanitizer = false;
#endif
#else
inline constexpr bool kUnderSanitizer = false;
#endif

// A limit on the run's address space, as a shell prefix for runProgram; none in a sanitizer's
// build.
inline std::string addressSpaceLimit(std::size_t kilobytes) {
    return kUnderSanitizer ? "" : "ulimit -v " + std::to_string(kilobytes) + "; ";
}

// Runs the built program (or another build of it) in `folder` with the given words; `prefix` goes
// before the command (for example "ulimit -f 10;").
inline RunResult runProgram(const std::filesystem::path& folder,
                            const std::vector<std::string>& words, const std::string& prefix = "",
                            const std::string& program = AMBISCAN_EXE) {
    const auto outFile = std::filesystem::temp_directory_path() /
                         ("ambiscan-out-" + std::to_string(::getpid()) + ".txt");
    const auto errFile = std::filesystem::temp_directory_path() /
                         ("ambiscan-err-" + std::to_string(::getpid()) + ".txt");
    // Built by appending: GCC 12 at -O2 and above warns falsely (-Wrestrict) about a literal
    // put before a temporary string.
    std::string command = "cd ";
    command += shellQuoted(folder.string());
    command += " && " + prefix + " ";
    command += shellQuoted(program);
    for (const std::string& word : words) {
        command += ' ';
        command += shellQuoted(word);
    }
    command += " >";
    command += shellQuoted(outFile.string());
    command += " 2>";
    command += shellQuoted(errFile.string());
    command += " </dev/null";
    std::string shell = "/bin/bash -c ";
    shell += shellQuoted(command);
    const int raw = std::system(shell.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = readFile(outFile);
    result.err = readFile(errFile);
    std::filesystem::remove(outFile);
    std::filesystem::remove(errFile);
    return result;
}

}  // namespace ambiscan::testing
