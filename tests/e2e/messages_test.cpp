// What the program says when it refuses: one line, the file named as given, text from files,
// legends and paths escaped; option numbers read as the input's; and what it says through
// standard output must arrive.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

const char* const kInits =
    "345000 3    0.01  0.02  0.03\n"
    "345300 7.9  0.153 -0.021 0.3\n"
    "345600 8    0.12  0     -0.22\n";

std::size_t lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// A newline or an escape sequence in a legend or a path reached the terminal raw.
TEST(Messages, LegendsAndPathsInErrorsAreEscapedOnOneLine) {
    TempDir dir;
    writeFile(dir / "inits.txt", kInits);
    const RunResult legend = runProgram(dir.path(), {"T", "Rx\n\033[2J/A"});
    EXPECT_EQ(legend.status, 1);
    EXPECT_EQ(legend.err,
              "The legend \"Rx\\x0a\\x1b[2J/A\" cannot name the output files: it contains \"/\", "
              "which would put the figures outside this folder.\n");
    const RunResult path = runProgram(dir.path(), {"-i", "in\033]0;X\007.txt", "T", "A"});
    EXPECT_EQ(path.status, 1);
    EXPECT_EQ(path.out, "Cannot open file in\\x1b]0;X\\x07.txt");
    writeFile(dir / "bad\n.txt", "x");
    const RunResult refused = runProgram(dir.path(), {"-i", "bad\n.txt", "T", "A"});
    EXPECT_EQ(refused.err,
              "bad\\x0a.txt line 1: reading stopped at \"x\", which is not a number, "
              "before one whole record of 5 numbers was read\n");
    EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"inits.txt", "bad\n.txt"}));
}

// Numbers on the command line are read as the input's: 0x10, 0x1p3 and blanks were taken (or
// one blank refused and the other not); "-q=1" was "unknown option -=1".
TEST(Messages, OptionNumbersAreWholeDecimalsAndFlagsTakeNoValue) {
    TempDir dir;
    writeFile(dir / "inits.txt", kInits);
    for (const char* value : {"0x10", "0x1p3", " 50", "50 ", "5O", "nan", ""}) {
        const RunResult run = runProgram(dir.path(), {"--require-p90", value, "T", "A"});
        EXPECT_EQ(run.status, 2) << value;
        EXPECT_EQ(run.err, "ambiscan: --require-p90: \"" + std::string(value) +
                               "\" is not a number of seconds, 0 or more (see ambiscan --help)\n");
    }
    for (const char* flag : {"-q=1", "--quiet=yes", "--no-report=0", "--version=2"}) {
        const RunResult run = runProgram(dir.path(), {flag, "T", "A"});
        EXPECT_EQ(run.status, 2) << flag;
        const std::string name(flag, std::string(flag).find('='));
        EXPECT_EQ(run.err, "ambiscan: " + name + " takes no value (see ambiscan --help)\n");
    }
    EXPECT_EQ(filesIn(dir.path()), std::set<std::string>{"inits.txt"});
    const RunResult run = runProgram(dir.path(), {"-q", "--require-p90", "1e2", "T", "A"});
    EXPECT_EQ(run.status, 0) << run.err;
}

// A full disk under standard output was a success (exit 0), unlike cat and ls.
TEST(Messages, AFailedWriteToStandardOutputIsAnError) {
    // The program's standard output on a full device, its standard error read as usual.
    const std::string onFullDevice = "bash -c '\"$0\" \"$@\" >/dev/full'";
    TempDir dir;
    writeFile(dir / "inits.txt", kInits);
    const RunResult version = runProgram(dir.path(), {"--version"}, onFullDevice);
    EXPECT_EQ(version.status, 1);
    EXPECT_EQ(version.err, "ambiscan: cannot write to standard output: No space left on device\n");
    // The run's bad-init list goes to standard output.
    const RunResult run = runProgram(dir.path(), {"T", "A"}, onFullDevice);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lines(run.err), 1u) << run.err;
}

// -i /dev/zero grew to all the memory there was; a 64 MiB run of text to 64 MiB.
TEST(Messages, NonTextIsRefusedAtOnceInBoundedMemory) {
    TempDir dir;
    const RunResult zero = runProgram(dir.path(), {"-i", "/dev/zero", "T", "A"},
                                      addressSpaceLimit(400000) + "timeout 60");
    EXPECT_EQ(zero.status, 1);
    EXPECT_EQ(
        zero.err, "/dev/zero line 1: reading stopped at \"" + [] {
            std::string shown;
            for (int k = 0; k < 40; ++k) {
                shown += "\\x00";
            }
            return shown;
        }() + "\", which is not text, before one whole record of 5 numbers was read\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Output modes came from flipping the process's umask, unsafe once two files are made at once.
TEST(Messages, OutputsTakeTheirModeFromTheUmask) {
    TempDir dir;
    writeFile(dir / "inits.txt", kInits);
    ASSERT_EQ(runProgram(dir.path(), {"-q", "-o", "out", "T", "A"}, "umask 027;").status, 0);
    for (const char* name : {"stats.csv", "summary.json", "report.html", "A_ENU_Hist.png"}) {
        struct stat info {};
        ASSERT_EQ(stat((dir / "out" / name).c_str(), &info), 0) << name;
        EXPECT_EQ(info.st_mode & 0777, 0640u) << name;
    }
}

}  // namespace
}  // namespace ambiscan::testing
