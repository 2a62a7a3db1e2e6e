#pragma once

#include <string>
#include <string_view>

namespace ambiscan::report {

// Text made safe to place in HTML content or a quoted attribute: & < > " ' become character
// references, so that a title or legend shows exactly as typed and is never read as markup.
std::string escapeHtml(std::string_view text);

}  // namespace ambiscan::report
