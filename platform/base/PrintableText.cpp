#include "platform/base/PrintableText.hpp"

namespace ambiscan {

namespace {

// The length of the valid UTF-8 character at the start of `text`, 0 when there is none
// (overlong forms, surrogates and values above U+10FFFF are not valid).
std::size_t utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf;  // the allowed range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xbf) {
            return 0;
        }
    }
    return length;
}

}  // namespace

std::string printableText(std::string_view raw, std::size_t maxCharacters) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    std::size_t pos = 0;
    for (std::size_t characters = 0; pos < raw.size() && characters < maxCharacters; ++characters) {
        const auto c = static_cast<unsigned char>(raw[pos]);
        if (c >= 0x20 && c < 0x7f) {
            shown += raw[pos++];
        } else if (const std::size_t length = c >= 0x80 ? utf8Length(raw.substr(pos)) : 0;
                   length > 0) {
            shown.append(raw.substr(pos, length));
            pos += length;
        } else {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xf];
            ++pos;
        }
    }
    return shown;
}

}  // namespace ambiscan
