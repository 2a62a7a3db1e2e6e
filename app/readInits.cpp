#include "app/readInits.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "app/recordMemory.hpp"
#include "platform/base/PrintableText.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/encoding/Sha256.hpp"
#include "platform/numeric/NumberScanner.hpp"

namespace ambiscan::app {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The records a regular file will give, counted ahead so that they are read straight into the
// matrix; 0 for anything that cannot be read twice (a pipe is read once, and hashed then).
std::size_t expectedRecords(std::FILE* file, const struct stat& info, std::size_t recordLength) {
    if (!S_ISREG(info.st_mode) || info.st_size <= 0) {
        return 0;
    }
    const std::size_t tokens = countTokens(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        return 0;
    }
    return (tokens + recordLength - 1) / recordLength;
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// One line too many or too few numbers in a file of one record a line would deal every later
// number into the wrong column: the statistics would be wrong without a sign.
void checkMisfit(const std::string& name, const MisfitLine& misfit, std::size_t recordLength) {
    if (misfit.line == 0) {
        return;
    }
    throw RuntimeError(name + " line " + std::to_string(misfit.line) + " holds " +
                       counted(misfit.count, "number", "numbers") +
                       " where the file's other lines hold one record of " +
                       std::to_string(recordLength) +
                       ": the records after it would be read with their columns shifted");
}

// The rest of the input after reading the numbers stopped, read for its digest only.
void digestRest(std::FILE* file, Sha256& digest, const std::string& name) {
    std::vector<char> block(1 << 16);
    std::size_t got = 0;
    while ((got = std::fread(block.data(), 1, block.size(), file)) > 0) {
        digest.update(block.data(), got);
    }
    if (std::ferror(file)) {
        throw RuntimeError("Cannot read " + name + ": " + std::strerror(errno));
    }
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
    const std::string name = printableText(path.string(), std::string::npos);
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0) {
        throw RuntimeError("Cannot read " + name + ": " + std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        throw RuntimeError(name + " is a folder");
    }
    InitsFile result;
    result.identity = {S_ISREG(info.st_mode), info.st_dev, info.st_ino};
    Sha256 digest;
    ColumnDealer dealer(recordLength);
    ScanStop stop;
    const std::size_t expected = expectedRecords(file.get(), info, recordLength);
    withRecordMemory(
        [&] { return std::max(expected, (dealer.count() + recordLength - 1) / recordLength); },
        [&] {
            dealer.expectRecords(expected);
            stop = scanNumbers(file.get(), dealer, [&digest](std::string_view bytes) {
                digest.update(bytes.data(), bytes.size());
            });
            result.numbersRead = dealer.count();
            result.inits = dealer.takeMatrix();
        });
    if (stop.readError != 0) {
        throw RuntimeError("Cannot read " + name + ": " + std::strerror(stop.readError));
    }
    checkRecordLength(name, stop.numbersPerLine, recordLength);
    checkMisfit(name, stop.misfit, recordLength);
    const std::size_t records = result.inits.rows();
    const std::string where = stop.atText
                                  ? name + " line " + std::to_string(stop.line) +
                                        ": reading stopped at \"" + printableText(stop.token) +
                                        "\", which is not " + (stop.notText ? "text" : "a number")
                                  : "";
    if (stop.atText && result.numbersRead < recordLength) {
        // Not a short file but a file of another form (a comma-separated one stops after its
        // first number): one zero-padded record of it would be a confident wrong result.
        throw RuntimeError(where + ", before one whole record of " + std::to_string(recordLength) +
                           " numbers was read");
    }
    if (stop.atText && result.numbersRead % recordLength != 0) {
        // A record cut by text (a mistyped number in it) would be completed with zeros: a fix
        // in 0 s at the origin, a confident wrong result.
        throw RuntimeError(where + ", inside record " + std::to_string(records) +
                           " (a record holds " + std::to_string(recordLength) + " numbers)");
    }
    if (result.numbersRead == 0) {
        throw RuntimeError(name + " holds no init records");
    }
    if (stop.atText) {
        console.err << "Warning: " << where << "; " << records
                    << (records == 1 ? " record" : " records") << " read.\n";
        digestRest(file.get(), digest, name);
    }
    if (result.numbersRead % recordLength != 0) {
        console.err << "Warning: " << name << " holds " << result.numbersRead
                    << " numbers, not a whole number of " << recordLength
                    << "-number records (does the number of legends match the receivers in "
                       "the file?); the last record was completed with zeros.\n";
    }
    result.sha256 = digest.hex();
    return result;
}

}  // namespace ambiscan::app
