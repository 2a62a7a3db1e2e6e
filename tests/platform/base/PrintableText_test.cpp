#include "platform/base/PrintableText.hpp"

#include <gtest/gtest.h>

namespace ambiscan {
namespace {

TEST(PrintableText, ControlBytesAreEscaped) {
    EXPECT_EQ(printableText("\033]0;X\007"), "\\x1b]0;X\\x07");
    EXPECT_EQ(printableText(std::string("a\0b\x7f", 4)), "a\\x00b\\x7f");
}

TEST(PrintableText, ValidUtf8StaysAndInvalidBytesAreEscaped) {
    // é (2 bytes), € (3), 😀 (4) are characters; a lone continuation byte, a cut sequence, an
    // overlong "/" (c0 af), a surrogate (ed a0 80) and f5 are not.
    EXPECT_EQ(printableText("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"),
              "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    EXPECT_EQ(printableText("\x80 \xe2\x82 \xc0\xaf \xed\xa0\x80 \xf5"),
              "\\x80 \\xe2\\x82 \\xc0\\xaf \\xed\\xa0\\x80 \\xf5");
}

TEST(PrintableText, CutAfterTheGivenNumberOfCharacters) {
    EXPECT_EQ(printableText(std::string(50, 'a')), std::string(40, 'a'));
    EXPECT_EQ(printableText("\x01\xc3\xa9zz", 3), "\\x01\xc3\xa9z");
    EXPECT_EQ(printableText("abc"), "abc");
}

}  // namespace
}  // namespace ambiscan
