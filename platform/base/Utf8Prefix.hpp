#pragma once

#include <cstddef>
#include <string_view>

namespace ambiscan {

// How many bytes at the start of `text` (not empty) begin a UTF-8 character correctly: the
// whole character's length when it is complete and valid (then `complete` is set), else the
// longest valid beginning of one, at least 1. Overlong forms, surrogates and values above
// U+10FFFF are not valid.
std::size_t utf8Prefix(std::string_view text, bool& complete);

}  // namespace ambiscan
