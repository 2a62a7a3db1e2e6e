// The reader turns short plain decimals into doubles by its own arithmetic; every such string
// must give the double the standard library's correctly rounded conversion gives.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/numeric/NumberScanner.hpp"

namespace ambiscan {
namespace {

double correctlyRounded(const std::string& text) {
    double value = 0;
    const char* first = text.data();
    if (*first == '+') {
        ++first;  // from_chars takes no plus sign
    }
    std::from_chars(first, text.data() + text.size(), value);
    return value;
}

// Compares bit patterns, so that -0.0 and +0.0 count as different.
void expectSameAsLibrary(const std::vector<std::string>& numbers) {
    std::string text;
    for (const auto& n : numbers) {
        text += n + '\n';
    }
    std::vector<double> values;
    scanNumbers(text, values);
    ASSERT_EQ(values.size(), numbers.size());
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(values[k]),
                  std::bit_cast<std::uint64_t>(correctlyRounded(numbers[k])))
            << numbers[k] << " read as " << values[k];
    }
}

std::string randomDecimal(std::mt19937_64& random, int maxDigits) {
    std::uniform_int_distribution<int> count(1, maxDigits), digit(0, 9), coin(0, 3);
    const int digits = count(random);
    std::uniform_int_distribution<int> point(0, digits);
    const int pointAt = point(random);
    std::string s = coin(random) == 0 ? "-" : (coin(random) == 0 ? "+" : "");
    for (int k = 0; k < digits; ++k) {
        if (k == pointAt) {
            s += '.';
        }
        s += static_cast<char>('0' + digit(random));
    }
    if (pointAt == digits && coin(random) == 0) {
        s += '.';
    }
    return s;
}

TEST(DecimalFastPath, RandomDecimalsOfUpTo25DigitsMatchTheLibrary) {
    std::mt19937_64 random(20261209);
    for (const int maxDigits : {8, 15, 16, 17, 18, 19, 25}) {
        std::vector<std::string> numbers;
        for (int k = 0; k < 20000; ++k) {
            numbers.push_back(randomDecimal(random, maxDigits));
        }
        expectSameAsLibrary(numbers);
    }
}

// Strings chosen where a shortcut goes wrong: around 15 to 19 significant digits, halfway cases
// between neighbouring doubles, leading and trailing zeros that carry no digits, long fractions,
// and the signs of zero.
TEST(DecimalFastPath, HostileDigitStringsMatchTheLibrary) {
    expectSameAsLibrary({
        "999999999999999",     "9999999999999999",     "99999999999999999",
        "999999999999999.9",   "0.999999999999999",    "0.9999999999999999",
        "9007199254740993",    "9007199254740992.5",   "900719925474099.3",
        "123456789012345678",  "1234567890123456.78",  "0.000000000000000000001",
        "00000000000000000001.5", "1.50000000000000000000", "0.1",
        "0.3",                 "2.2250738585072014",   "4.9406564584124654",
        "1.7976931348623157",  "-0.0",                 "+0.0",
        "-0",                  ".0000000000000000000000001", "12345678901234567890.5",
        "3.",                  ".5",                   "000.000",
        "0.1234567890123456789012", "8.589973e9",      "1e23",
        "9.999999999999999e22", "5e-324",              "179769313486231570000000",
    });
}

}  // namespace
}  // namespace ambiscan
