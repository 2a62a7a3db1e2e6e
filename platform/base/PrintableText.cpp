#include "platform/base/PrintableText.hpp"

#include "platform/base/Utf8Prefix.hpp"

namespace ambiscan {

std::string printableText(std::string_view raw, std::size_t maxCharacters) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    std::size_t pos = 0;
    for (std::size_t characters = 0; pos < raw.size() && characters < maxCharacters; ++characters) {
        const auto c = static_cast<unsigned char>(raw[pos]);
        bool complete = false;
        const std::size_t length = c >= 0x80 ? utf8Prefix(raw.substr(pos), complete) : 0;
        if (c >= 0x20 && c < 0x7f) {
            shown += raw[pos++];
        } else if (complete) {
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
