#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ambiscan {

// Text from an input file made safe to show on a terminal: control bytes (below 0x20 and
// 0x7f) and bytes that are not part of a valid UTF-8 character become "\xNN" (lower-case hex),
// so that the file cannot move the cursor, set the window title or garble the line; valid
// UTF-8 characters stay as they are. At most `maxCharacters` characters are kept, an escaped
// byte counting as one.
std::string printableText(std::string_view raw, std::size_t maxCharacters = 40);

}  // namespace ambiscan
