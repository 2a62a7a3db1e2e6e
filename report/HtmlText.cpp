#include "report/HtmlText.hpp"

#include "platform/base/Utf8Prefix.hpp"

namespace ambiscan::report {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

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
