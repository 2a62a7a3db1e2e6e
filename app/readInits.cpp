#include "app/readInits.hpp"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "platform/numeric/NumberScanner.hpp"

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

}  // namespace

std::optional<InitsFile> readInits(const std::filesystem::path& path, std::size_t recordLength,
                                   const Console& console) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    const std::string name = path.filename().string();
    InitsFile result;
    ColumnDealer dealer(recordLength);
    dealer.expectRecords(expectedRecords(file.get(), recordLength));
    const ScanStop stop = scanNumbers(file.get(), dealer);
    file.reset();
    result.numbersRead = dealer.count();
    result.inits = dealer.takeMatrix();
    const std::size_t records = result.inits.rows();
    if (stop.atText) {
        console.err << "Warning: " << name << " line " << stop.line << ": reading stopped at \""
                    << stop.token << "\", which is not a number; " << records
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
