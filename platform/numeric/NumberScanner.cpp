#include "platform/numeric/NumberScanner.hpp"

#include <sys/mman.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>
#include <string_view>

#include "platform/numeric/LineLayout.hpp"

namespace ambiscan {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool startsWithNoCase(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) {
        return false;
    }
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (std::tolower(static_cast<unsigned char>(text[k])) != word[k]) {
            return false;
        }
    }
    return true;
}

// The common case of a test file, digits with an optional fraction and no exponent, read
// directly: with at most 15 significant digits the digits form an exact integer and 10^k is
// exact, so one division gives the correctly rounded value, the same as the general parser.
// Returns 0 when the text needs the general parser.
std::size_t parseSimpleDecimal(std::string_view text, double& value) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size && text[pos] >= '0' && text[pos] <= '9') {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        digits += mantissa != 0 ? 1 : 0;
        ++pos;
    }
    const std::size_t integerEnd = pos;
    if (pos < size && text[pos] == '.') {
        ++pos;
        while (pos < size && text[pos] >= '0' && text[pos] <= '9') {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[pos] - '0');
            digits += mantissa != 0 ? 1 : 0;
            ++fractionDigits;
            ++pos;
        }
    }
    const bool noDigits = integerEnd == 0 && fractionDigits == 0;
    const bool hasExponent = pos < size && (text[pos] == 'e' || text[pos] == 'E');
    if (noDigits || hasExponent || digits > 15 || fractionDigits > 22) {
        return 0;
    }
    value = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    return pos;
}

// Parses one number at the start of `text`; returns the characters used (0: not a number).
std::size_t parseNumber(std::string_view text, double& value) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::string_view rest = text.substr(pos);
    const char first = rest.empty() ? '\0' : rest[0];
    const bool mayBeWord = first == 'i' || first == 'I' || first == 'n' || first == 'N';
    if (mayBeWord && startsWithNoCase(rest, "inf")) {
        const std::size_t used = startsWithNoCase(rest, "infinity") ? 8 : 3;
        value = negative ? -std::numeric_limits<double>::infinity()
                         : std::numeric_limits<double>::infinity();
        return pos + used;
    }
    if (mayBeWord && startsWithNoCase(rest, "nan")) {
        value = std::numeric_limits<double>::quiet_NaN();
        return pos + 3;
    }
    // Only digits and a point may begin a decimal number; from_chars alone would also take
    // "inf"/"nan" forms handled above and refuse a leading '+'.
    if (rest.empty() || !(std::isdigit(static_cast<unsigned char>(rest[0])) || rest[0] == '.')) {
        return 0;
    }
    double parsed = 0;
    if (const std::size_t used = parseSimpleDecimal(rest, parsed); used > 0) {
        value = negative ? -parsed : parsed;
        return pos + used;
    }
    const auto result =
        std::from_chars(rest.data(), rest.data() + rest.size(), parsed, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) {
        return 0;
    }
    // Out of range: from_chars leaves the value alone; the text still is a number, and reads
    // as the nearest value the arithmetic has (overflow to infinity, underflow to zero).
    if (result.ec == std::errc::result_out_of_range) {
        parsed = std::strtod(std::string(rest.data(), result.ptr).c_str(), nullptr);
    }
    value = negative ? -parsed : parsed;
    return pos + static_cast<std::size_t>(result.ptr - rest.data());
}

bool endsToken(std::string_view text, std::size_t at) {
    return at == text.size() || isSpace(text[at]);
}

// The number that is the whole token at the start of `text` (which runs to white space or the
// end); 0 when the token is text.
std::size_t parseToken(std::string_view text, double& value) {
    const std::size_t used = parseNumber(text, value);
    return used > 0 && used <= kLongestNumber && endsToken(text, used) ? used : 0;
}

// Whether a token this long, of which `start` is the beginning, may still turn out a number
// (only digits, a point and an exponent are that long).
bool mayBeLongNumber(std::string_view start) {
    std::size_t pos = start.starts_with('+') || start.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        while (pos < start.size() && start[pos] >= '0' && start[pos] <= '9') {
            ++pos;
        }
    };
    digits();
    if (pos < start.size() && start[pos] == '.') {
        ++pos;
        digits();
    }
    if (pos < start.size() && (start[pos] == 'e' || start[pos] == 'E')) {
        ++pos;
        if (pos < start.size() && (start[pos] == '+' || start[pos] == '-')) {
            ++pos;
        }
        digits();
    }
    return pos == start.size();
}

// Reads numbers from complete text (every token in it ends before the end of `text`, or the
// text is the end of the file). Returns false when it stopped at text that is not a number,
// with `stopAt` the offset of that text.
template <class Sink>
bool scanChunk(std::string_view text, Sink& values, LineLayout& layout, std::size_t& stopAt) {
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (true) {
        while (pos < size && isSpace(text[pos])) {
            if (text[pos] == '\n') {
                layout.endLine();
            }
            ++pos;
        }
        if (pos >= size) {
            return true;
        }
        double value = 0;
        const std::size_t used = parseToken(text.substr(pos), value);
        if (used == 0) {
            stopAt = pos;
            return false;
        }
        values.push_back(value);
        layout.addNumber();
        pos += used;
    }
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && !isSpace(c)) || byte == 0x7f;
}

// The stop at the token at `stopAt`, on the line after `linesBefore` and the line ends before
// it in `text`; the layout is closed with the numbers before it on its line.
ScanStop stopAtToken(std::string_view text, std::size_t stopAt, std::size_t linesBefore,
                     LineLayout& layout) {
    ScanStop stop;
    stop.atText = true;
    stop.line = linesBefore + 1 +
                static_cast<std::size_t>(std::count(
                    text.begin(), text.begin() + static_cast<std::ptrdiff_t>(stopAt), '\n'));
    std::size_t end = stopAt;
    while (end < text.size() && !isSpace(text[end]) && end - stopAt < kStopTokenBytes) {
        ++end;
    }
    stop.token = std::string(text.substr(stopAt, end - stopAt));
    stop.notText = std::any_of(stop.token.begin(), stop.token.end(), isControl);
    layout.endLine();
    stop.numbersPerLine = layout.commonCount();
    stop.misfit = layout.misfit();
    return stop;
}

ScanStop endOfFile(LineLayout& layout) {
    layout.endLine();
    ScanStop stop;
    stop.numbersPerLine = layout.commonCount();
    stop.misfit = layout.misfit();
    return stop;
}

}  // namespace

bool isWholeNumber(std::string_view text, double& value) {
    return !text.empty() && parseToken(text, value) == text.size();
}

ScanStop scanNumbers(const std::string& text, std::vector<double>& values,
                     std::size_t recordLength) {
    std::string_view rest(text);
    if (rest.starts_with(kByteOrderMark)) {
        rest.remove_prefix(kByteOrderMark.size());
    }
    std::size_t stopAt = 0;
    LineLayout layout(recordLength);
    if (!scanChunk(rest, values, layout, stopAt)) {
        return stopAtToken(rest, stopAt, 0, layout);
    }
    return endOfFile(layout);
}

namespace {

template <class Sink>
ScanStop scanFile(std::FILE* file, Sink& values, std::size_t recordLength,
                  const BytesRead& bytesRead) {
    constexpr std::size_t kChunk = 1 << 20;
    std::string buffer;
    buffer.reserve(kChunk + kLongestNumber + 1);
    std::size_t linesBefore = 0;
    // Left unset: zeroing a megabyte would fault in all of its pages, the most of a small run.
    const auto block = std::make_unique_for_overwrite<char[]>(kChunk);
    LineLayout layout(recordLength);
    bool atStart = true;
    while (true) {
        errno = 0;
        const std::size_t got = std::fread(block.get(), 1, kChunk, file);
        const bool atEnd = got < kChunk;
        if (atEnd && std::ferror(file)) {
            ScanStop failed;
            failed.readError = errno != 0 ? errno : EIO;
            return failed;
        }
        if (bytesRead && got > 0) {
            bytesRead(std::string_view(block.get(), got));
        }
        buffer.append(block.get(), got);
        if (atStart && (buffer.size() >= kByteOrderMark.size() || atEnd)) {
            if (std::string_view(buffer).starts_with(kByteOrderMark)) {
                buffer.erase(0, kByteOrderMark.size());
            }
            atStart = false;
        }
        // Only whole tokens are read; the start of a token cut by the end of the block waits
        // for the next block, as long as it may still be a number.
        std::size_t complete = buffer.size();
        if (!atEnd) {
            while (complete > 0 && !isSpace(buffer[complete - 1])) {
                --complete;
            }
        }
        const std::string_view text(buffer.data(), complete);
        std::size_t stopAt = 0;
        if (!scanChunk(text, values, layout, stopAt)) {
            return stopAtToken(buffer, stopAt, linesBefore, layout);
        }
        if (atEnd) {
            return endOfFile(layout);
        }
        linesBefore += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        buffer.erase(0, complete);
        // The cut token so far: text once it is too long for a number, or once it is longer
        // than the message shows and no number starts so.
        const bool tooLong = buffer.size() > kLongestNumber;
        if (tooLong || (buffer.size() > kStopTokenBytes && !mayBeLongNumber(buffer))) {
            return stopAtToken(buffer, 0, linesBefore, layout);
        }
    }
}

}  // namespace

ScanStop scanNumbers(std::FILE* file, std::vector<double>& values, std::size_t recordLength,
                     const BytesRead& bytesRead) {
    return scanFile(file, values, recordLength, bytesRead);
}

ScanStop scanNumbers(std::FILE* file, ColumnDealer& columns, const BytesRead& bytesRead) {
    return scanFile(file, columns, columns.columns(), bytesRead);
}

namespace {

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

}  // namespace

void ColumnDealer::expectRecords(std::size_t records) {
    if (count_ != 0 || records == 0) {
        return;
    }
    try {
        data_.reserve(records * width_);
    } catch (const std::exception&) {
        return;  // too large to hold up front: the columns grow as they go instead
    }
    adviseHugePages(data_);  // before the pages are first touched
    data_.resize(records * width_);
    rows_ = records;
}

void ColumnDealer::spill(double value) {
    if (!spilled_) {
        // More records than expected: the ones so far move to columns that can grow.
        for (std::size_t c = 0; c < width_; ++c) {
            const auto from = data_.begin() + static_cast<std::ptrdiff_t>(c * rows_);
            columns_[c].assign(from, from + static_cast<std::ptrdiff_t>(std::min(row_, rows_)));
        }
        std::vector<double>().swap(data_);
        rows_ = 0;
        spilled_ = true;
    }
    columns_[next_].push_back(value);
}

Matrix ColumnDealer::takeMatrix() {
    const std::size_t records = (count_ + width_ - 1) / width_;
    if (records == 0) {
        return Matrix();
    }
    if (!spilled_) {
        // Fewer records than room: the columns close up; the unwritten cells of a partial last
        // record are still zero.
        for (std::size_t c = 1; c < width_ && records < rows_; ++c) {
            std::memmove(data_.data() + c * records, data_.data() + c * rows_,
                         records * sizeof(double));
        }
        data_.resize(records * width_);
        rows_ = 0;
        return Matrix(records, width_, std::move(data_));
    }
    std::vector<double> columnMajor;
    columnMajor.reserve(records * width_);
    adviseHugePages(columnMajor);
    for (std::vector<double>& column : columns_) {
        columnMajor.insert(columnMajor.end(), column.begin(), column.end());
        columnMajor.resize(columnMajor.size() + (records - column.size()), 0.0);
        std::vector<double>().swap(column);
    }
    return Matrix(records, width_, std::move(columnMajor));
}

std::size_t countTokens(std::FILE* file) {
    constexpr std::size_t kBlock = 1 << 20;
    const auto block = std::make_unique_for_overwrite<unsigned char[]>(kBlock);  // as above
    // White space as the scanner knows it, in arithmetic the compiler can do many bytes at once.
    const auto space = [](unsigned char c) {
        return static_cast<unsigned>(c == ' ') | static_cast<unsigned>(c - 9u < 5u);
    };
    std::size_t tokens = 0;
    unsigned before = 1;  // the byte before the block was white space (or there was none)
    while (true) {
        const std::size_t got = std::fread(block.get(), 1, kBlock, file);
        if (got > 0 && std::memchr(block.get(), 0, got) != nullptr) {
            return tokens;  // not text: reading the numbers stops in this block
        }
        if (got > 0) {
            // A token starts where white space is followed by anything else.
            tokens += before & (space(block[0]) ^ 1u);
            for (std::size_t i = 1; i < got; ++i)
                tokens += space(block[i - 1]) & (space(block[i]) ^ 1u);
            before = space(block[got - 1]);
        }
        if (got < kBlock) {
            return tokens;
        }
    }
}

}  // namespace ambiscan
