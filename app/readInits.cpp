#include "app/readInits.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "app/recordMemory.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/numeric/NumberScanner.hpp"
#include "platform/runtime/PrintableText.hpp"

namespace ambiscan::app {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The records the file will give, counted ahead so that they are read straight into the
// matrix; 0 when the file cannot be read twice.
std::size_t expectedRecords(std::FILE* file, std::size_t recordLength) {
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        return 0;
    }
    const std::size_t tokens = countTokens(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        return 0;
    }
    return (tokens + recordLength - 1) / recordLength;
}

bool isFolder(std::FILE* file) {
    struct stat info {};
    return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

void checkRecordLength(const std::string& name, std::size_t numbersPerLine,
                       std::size_t recordLength) {
    if (numbersPerLine % 4 != 1 || numbersPerLine == recordLength) {
        return;
    }
    const std::size_t receivers = numbersPerLine / 4;
    const std::size_t legends = recordLength / 4;
    if (receivers < 1 || receivers > 5) {
        return;
    }
    throw RuntimeError(name + " holds " + std::to_string(numbersPerLine) +
                       " numbers on each line, the records of " +
                       counted(receivers, "receiver", "receivers") + ", but " +
                       counted(legends, "legend was", "legends were") + " given");
}

std::optional<InitsFile> readInits(const std::filesystem::path& path, std::size_t recordLength,
                                   const Console& console) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    const std::string name = path.filename().string();
    if (isFolder(file.get())) {
        throw RuntimeError(name + " is a folder");
    }
    InitsFile result;
    ColumnDealer dealer(recordLength);
    ScanStop stop;
    const std::size_t expected = expectedRecords(file.get(), recordLength);
    withRecordMemory(
        [&] { return std::max(expected, (dealer.count() + recordLength - 1) / recordLength); },
        [&] {
            dealer.expectRecords(expected);
            stop = scanNumbers(file.get(), dealer);
            file.reset();
            result.numbersRead = dealer.count();
            result.inits = dealer.takeMatrix();
        });
    if (stop.readError != 0) {
        throw RuntimeError("Cannot read " + name + ": " + std::strerror(stop.readError));
    }
    checkRecordLength(name, stop.numbersPerLine, recordLength);
    const std::size_t records = result.inits.rows();
    if (stop.atText && result.numbersRead > 0 && result.numbersRead < recordLength) {
        // Not a short file but a file of another form (a comma-separated one stops after its
        // first number): one zero-padded record of it would be a confident wrong result.
        throw RuntimeError(name + " line " + std::to_string(stop.line) + ": reading stopped at \"" +
                           printableText(stop.token) + "\", which is not a number, before one " +
                           "whole record of " + std::to_string(recordLength) + " numbers was read");
    }
    if (stop.atText) {
        console.err << "Warning: " << name << " line " << stop.line << ": reading stopped at \""
                    << printableText(stop.token) << "\", which is not a number; " << records
                    << (records == 1 ? " record" : " records") << " read.\n";
    }
    if (result.numbersRead % recordLength != 0) {
        console.err << "Warning: " << name << " holds " << result.numbersRead
                    << " numbers, not a whole number of " << recordLength
                    << "-number records (does the number of legends match the receivers in "
                       "the file?); the last record was completed with zeros.\n";
    }
    return result;
}

}  // namespace ambiscan::app
