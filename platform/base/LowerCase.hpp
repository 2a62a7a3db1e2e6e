#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace ambiscan {

// Option texts, property names and font names are matched without regard to letter case (ASCII).
inline std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace ambiscan
