#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/Console.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::app {

// The init results matrix as read from a file: one row per record of `recordLength` numbers,
// a trailing partial record completed with zeros. Empty when the file holds no number.
struct InitsFile {
    Matrix inits;
    std::size_t numbersRead = 0;
};

// Reads the numbers of `path` in records of `recordLength`. Returns nothing when the file cannot
// be opened. Warns on console.err when reading stopped at text that is not a number, or when
// the numbers do not fill whole records (the usual sign of a legend count that does not match
// the receivers in the file); the matrix is the same either way.
// A file laid out one record a line shows its record length. When that length is the one of
// another receiver count, the numbers would be dealt into records of the wrong length and give
// confident nonsense: a RuntimeError naming the file and both counts stops the run first.
void checkRecordLength(const std::string& name, std::size_t numbersPerLine,
                       std::size_t recordLength);

std::optional<InitsFile> readInits(const std::filesystem::path& path, std::size_t recordLength,
                                   const Console& console);

}  // namespace ambiscan::app
