#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/Console.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::app {

// Which file an input is, to tell an output that would replace it: set for a regular file.
struct FileIdentity {
    bool regular = false;
    dev_t device = 0;
    ino_t inode = 0;
};

// The init results matrix as read from a file: one row per record of `recordLength` numbers,
// a trailing partial record completed with zeros.
struct InitsFile {
    Matrix inits;
    std::size_t numbersRead = 0;
    // The SHA-256 of every byte of the input, taken in the one pass that reads it (to its end,
    // also past text where reading the numbers stopped), as 64 lower-case hex digits.
    std::string sha256;
    FileIdentity identity;
};

// A file laid out one record a line shows its record length. When that length is the one of
// another receiver count, the numbers would be dealt into records of the wrong length and give
// confident nonsense: a RuntimeError naming the file and both counts stops the run first.
void checkRecordLength(const std::string& name, std::size_t numbersPerLine,
                       std::size_t recordLength);

// Reads the numbers of `path` in records of `recordLength`, opening it once: a pipe, a FIFO or
// /dev/stdin is read as a file is. Returns nothing when it cannot be opened. Refuses (with a
// RuntimeError of one line naming the file as given) a folder, a file with no number, text
// before one whole record or inside a record, a layout of one record a line for another
// receiver count, and a line that would shift the columns of a file laid out one record a
// line. Warns on console.err when reading stopped at text after whole records, or when the
// numbers of a file read to its end do not fill whole records (the last is completed with
// zeros).
std::optional<InitsFile> readInits(const std::filesystem::path& path, std::size_t recordLength,
                                   const Console& console);

}  // namespace ambiscan::app
