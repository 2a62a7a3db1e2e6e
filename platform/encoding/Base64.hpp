#pragma once

#include <string>
#include <string_view>

namespace ambiscan {

// Standard base64 (RFC 4648, with padding, no line breaks), as data URIs take it.
std::string base64(std::string_view bytes);

}  // namespace ambiscan
