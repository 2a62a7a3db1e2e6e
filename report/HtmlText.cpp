#include "report/HtmlText.hpp"

namespace ambiscan::report {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// How many bytes at the start of `text` begin a UTF-8 character correctly: the whole
// character's length when it is complete and valid (then `complete` is set), else the longest
// valid beginning of one (at least 1), which is replaced by one U+FFFD as summary.json does.
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

}  // namespace

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (static_cast<unsigned char>(c) >= 0x80) {
            bool complete = false;
            const std::size_t length = utf8Prefix(text.substr(pos), complete);
            out += complete ? text.substr(pos, length) : kReplacement;
            pos += length;
            continue;
        }
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
        ++pos;
    }
    return out;
}

}  // namespace ambiscan::report
