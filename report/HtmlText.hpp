#pragma once

#include <string>
#include <string_view>

namespace ambiscan::report {

// Text made safe to place in HTML content or a quoted attribute: & < > " ' become character
// references, so that a title or legend shows exactly as typed and is never read as markup.
// Bytes that are not UTF-8 become U+FFFD, one for each invalid byte or cut-short character,
// as in summary.json: the page declares UTF-8.
std::string escapeHtml(std::string_view text);

}  // namespace ambiscan::report
