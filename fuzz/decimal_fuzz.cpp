// Fuzz target: the reader's own decimal arithmetic against the library's correctly rounded
// conversion. Each input becomes one plain decimal (a sign, up to 40 digits, at most one point),
// which must read as the double std::from_chars gives, to the bit.
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/numeric/NumberScanner.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string token = (data[0] & 1) != 0 ? "-" : "";
    bool point = false;
    for (std::size_t k = 1; k < size && token.size() < 41; ++k) {
        const unsigned v = data[k] % 11;
        if (v < 10) {
            token += static_cast<char>('0' + v);
        } else if (!point) {
            token += '.';
            point = true;
        }
    }
    if (token.find_first_of("0123456789") == std::string::npos) {
        return 0;  // a sign or a point alone is no number
    }
    double expected = 0;
    std::from_chars(token.data(), token.data() + token.size(), expected);
    std::vector<double> values;
    ambiscan::scanNumbers(token + "\n", values);
    if (values.size() != 1 ||
        std::bit_cast<std::uint64_t>(values[0]) != std::bit_cast<std::uint64_t>(expected)) {
        std::fprintf(stderr, "decimal: \"%s\" read as %.17g, not %.17g\n", token.c_str(),
                     values.empty() ? 0.0 : values[0], expected);
        std::abort();
    }
    return 0;
}
