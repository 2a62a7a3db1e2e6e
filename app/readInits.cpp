#include "app/readInits.hpp"

#include <sys/stat.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "platform/numeric/NumberScanner.hpp"

namespace ambiscan::app {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Every number takes at least two characters (a digit and a separator), so half the file size
// bounds the count. Reserving that much is only address space: pages are touched as values
// arrive, so the buffer never has to grow and copy itself.
std::size_t numberCountBound(std::FILE* file) {
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        return 0;
    }
    return static_cast<std::size_t>(info.st_size) / 2 + 1;
}

// Lays the numbers, read record after record, out as rows: record r becomes row r. The
// transpose is done in blocks so that both sides stay in cache.
Matrix recordsAsRows(const std::vector<double>& numbers, std::size_t recordLength) {
    const std::size_t records = (numbers.size() + recordLength - 1) / recordLength;
    Matrix inits(records, recordLength);  // zeros complete a partial last record
    double* out = inits.data().data();
    constexpr std::size_t kBlock = 256;
    for (std::size_t r0 = 0; r0 < records; r0 += kBlock) {
        const std::size_t r1 = std::min(records, r0 + kBlock);
        for (std::size_t c = 0; c < recordLength; ++c) {
            double* column = out + c * records;
            for (std::size_t r = r0; r < r1; ++r) {
                const std::size_t k = r * recordLength + c;
                if (k < numbers.size()) {
                    column[r] = numbers[k];
                }
            }
        }
    }
    return inits;
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
    ScanStop stop;
    {
        std::vector<double> numbers;
        try {
            numbers.reserve(numberCountBound(file.get()));
        } catch (const std::exception&) {
            // Too large to reserve up front: the buffer grows as it goes instead.
        }
        stop = scanNumbers(file.get(), numbers);
        result.numbersRead = numbers.size();
        if (!numbers.empty()) {
            result.inits = recordsAsRows(numbers, recordLength);
        }
    }
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
