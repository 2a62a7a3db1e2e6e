#include "platform/base/Utf8Prefix.hpp"

namespace ambiscan {

std::size_t utf8Prefix(std::string_view text, bool& complete) {
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
        complete = false;
        return 1;
    }
    std::size_t k = 1;
    while (k < length && k < text.size() && byte(k) >= (k == 1 ? low : 0x80) &&
           byte(k) <= (k == 1 ? high : 0xbf)) {
        ++k;
    }
    complete = k == length;
    return k;
}

}  // namespace ambiscan
