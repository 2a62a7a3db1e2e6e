#include "app/readInits.hpp"

#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <utility>

#include "platform/numeric/NumberScanner.hpp"

namespace ambiscan::app {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Every number takes at least two characters (a digit and a separator), so half the file size
// bounds the count. Reserving that much is only address space: pages are touched as values
// arrive, so no column ever has to grow and copy itself.
std::size_t numberCountBound(std::FILE* file) {
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        return 0;
    }
    return static_cast<std::size_t>(info.st_size) / 2 + 1;
}

// Large buffers are filled page by page; asking for huge pages saves most of the page faults.
void adviseHugePages(const std::vector<double>& buffer) {
    constexpr std::uintptr_t kHuge = 2u << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t end = begin + buffer.capacity() * sizeof(double);
    const std::uintptr_t alignedBegin = (begin + kHuge - 1) & ~(kHuge - 1);
    if (end > alignedBegin + kHuge) {
        madvise(reinterpret_cast<void*>(alignedBegin), (end - alignedBegin) & ~(kHuge - 1),
                MADV_HUGEPAGE);
    }
}

void reserveColumns(ColumnDealer& dealer, std::size_t numbers) {
    const std::size_t perColumn = numbers / dealer.columns().size() + 1;
    try {
        for (std::vector<double>& column : dealer.columns()) {
            column.reserve(perColumn);
            adviseHugePages(column);
        }
    } catch (const std::exception&) {
        // Too large to reserve up front: the columns grow as they go instead.
    }
}

// Joins the columns into one column-major matrix, record r in row r; zeros complete a partial
// last record. Each column is freed as soon as it is copied.
Matrix joinColumns(ColumnDealer& dealer) {
    auto& columns = dealer.columns();
    const std::size_t records = columns.front().size();
    std::vector<double> columnMajor;
    columnMajor.reserve(records * columns.size());
    adviseHugePages(columnMajor);
    for (std::vector<double>& column : columns) {
        columnMajor.insert(columnMajor.end(), column.begin(), column.end());
        columnMajor.resize(columnMajor.size() + (records - column.size()), 0.0);
        std::vector<double>().swap(column);
    }
    return Matrix(records, columns.size(), std::move(columnMajor));
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
    reserveColumns(dealer, numberCountBound(file.get()));
    const ScanStop stop = scanNumbers(file.get(), dealer);
    file.reset();
    result.numbersRead = dealer.count();
    if (result.numbersRead > 0) {
        result.inits = joinColumns(dealer);
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
