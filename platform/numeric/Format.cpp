#include "platform/numeric/Format.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <variant>

namespace ambiscan {

namespace {

struct Conversion {
    std::string flags;
    std::string width;
    std::string precision;  // with the leading '.', or empty
    char type = 's';
};

// A format is literal text and conversions, in order.
struct Piece {
    std::string literal;
    bool isConversion = false;
    Conversion conversion;
};

std::string unescape(const std::string& format) {
    std::string out;
    out.reserve(format.size());
    for (std::size_t k = 0; k < format.size(); ++k) {
        if (format[k] == '\\' && k + 1 < format.size()) {
            const char next = format[k + 1];
            const char* mapped = nullptr;
            switch (next) {
                case 'n':
                    mapped = "\n";
                    break;
                case 't':
                    mapped = "\t";
                    break;
                case 'r':
                    mapped = "\r";
                    break;
                case '\\':
                    mapped = "\\";
                    break;
                default:
                    break;
            }
            if (mapped != nullptr) {
                out += mapped;
                ++k;
                continue;
            }
        }
        out += format[k];
    }
    return out;
}

std::vector<Piece> parse(const std::string& format) {
    std::vector<Piece> pieces;
    std::string literal;
    for (std::size_t k = 0; k < format.size(); ++k) {
        if (format[k] != '%') {
            literal += format[k];
            continue;
        }
        if (k + 1 < format.size() && format[k + 1] == '%') {
            literal += '%';
            ++k;
            continue;
        }
        std::size_t p = k + 1;
        Conversion c;
        while (p < format.size() &&
               std::string_view("-+ #0").find(format[p]) != std::string_view::npos) {
            c.flags += format[p++];
        }
        while (p < format.size() && std::isdigit(static_cast<unsigned char>(format[p]))) {
            c.width += format[p++];
        }
        if (p < format.size() && format[p] == '.') {
            c.precision += format[p++];
            while (p < format.size() && std::isdigit(static_cast<unsigned char>(format[p]))) {
                c.precision += format[p++];
            }
        }
        if (p >= format.size() ||
            std::string_view("dicfeEgGsuxXo").find(format[p]) == std::string_view::npos) {
            // Not a conversion: keep the text as it stands.
            literal += format.substr(k, p - k);
            k = p - 1;
            continue;
        }
        c.type = format[p];
        if (!literal.empty()) {
            pieces.push_back({literal, false, {}});
            literal.clear();
        }
        pieces.push_back({"", true, c});
        k = p;
    }
    if (!literal.empty()) {
        pieces.push_back({literal, false, {}});
    }
    return pieces;
}

std::string printfOne(const std::string& spec, double value) {
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, spec.c_str(), value);
    if (n < 0) {
        return {};
    }
    if (static_cast<std::size_t>(n) < sizeof buffer) {
        return std::string(buffer, static_cast<std::size_t>(n));
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), spec.c_str(), value);
    big.resize(static_cast<std::size_t>(n));
    return big;
}

std::string padded(const Conversion& c, const std::string& text) {
    const std::size_t width = c.width.empty() ? 0 : std::stoul(c.width);
    if (text.size() >= width) {
        return text;
    }
    const std::string fill(width - text.size(), ' ');
    return c.flags.find('-') != std::string::npos ? text + fill : fill + text;
}

std::string nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value > 0 ? "Inf" : "-Inf";
}

bool isWhole(double value) {
    return std::isfinite(value) && value == std::floor(value);
}

bool isFloatingConversion(char type) {
    return type == 'f' || type == 'F' || type == 'e' || type == 'E' || type == 'g' || type == 'G';
}

std::string formatDouble(const Conversion& c, double rawValue) {
    // Negative zero keeps its sign where C's printf shows it ("%.2f" gives "-0.00", as it does
    // for -0.001); as an integer or a text it prints as zero.
    const double value = rawValue == 0 && !isFloatingConversion(c.type) ? 0.0 : rawValue;
    if (!std::isfinite(value) && c.type != 's') {
        return padded(c, nonFiniteText(value));
    }
    switch (c.type) {
        case 'd':
        case 'i':
        case 'u':
            // A value that is not whole cannot be shown as an integer: it is shown as %e would.
            if (!isWhole(value)) {
                return printfOne("%" + c.flags + c.width + "e", value);
            }
            // Whole values beyond the range of an integer type still print all their digits.
            return printfOne("%" + c.flags + c.width + ".0f", value);
        case 'c':
        case 's':
            return padded(c,
                          std::isfinite(value) ? printfOne("%.15g", value) : nonFiniteText(value));
        case 'x':
        case 'X':
        case 'o':
            if (isWhole(value) && value >= 0 && value < 1.8e19) {
                char buffer[64];
                std::snprintf(buffer, sizeof buffer,
                              ("%" + c.flags + c.width + "ll" + std::string(1, c.type)).c_str(),
                              static_cast<unsigned long long>(value));
                return buffer;
            }
            return printfOne("%" + c.flags + c.width + "e", value);
        default:
            return printfOne("%" + c.flags + c.width + c.precision + std::string(1, c.type), value);
    }
}

std::string formatString(const Conversion& c, const std::string& text) {
    if (c.type == 's' || c.type == 'c') {
        std::string shown = text;
        if (!c.precision.empty() && c.precision.size() > 1) {
            shown = shown.substr(0, std::stoul(c.precision.substr(1)));
        }
        return padded(c, shown);
    }
    // A text under a numeric conversion prints as text, as the array language falls back to.
    return padded(c, text);
}

// The values of a call, flattened: every element of a matrix is one value, a text is one value.
using Flat = std::variant<double, std::string>;

std::vector<Flat> flatten(const std::vector<Value>& values) {
    std::vector<Flat> flat;
    for (const Value& v : values) {
        if (const auto* m = std::get_if<Matrix>(&v)) {
            for (double x : m->data()) {
                flat.emplace_back(x);
            }
        } else if (const auto* s = std::get_if<std::string>(&v)) {
            flat.emplace_back(*s);
        } else {
            for (const std::string& s2 : std::get<CellRow>(v)) {
                flat.emplace_back(s2);
            }
        }
    }
    return flat;
}

}  // namespace

std::string formatText(const std::string& format, const std::vector<Value>& values) {
    const std::vector<Piece> pieces = parse(unescape(format));
    const std::vector<Flat> flat = flatten(values);
    const bool hasConversion =
        std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) { return p.isConversion; });
    std::string out;
    std::size_t next = 0;
    do {
        for (const Piece& piece : pieces) {
            if (!piece.isConversion) {
                out += piece.literal;
                continue;
            }
            if (next >= flat.size()) {
                // Out of values: output ends before the first conversion left without one.
                return out;
            }
            const Flat& value = flat[next++];
            if (const double* d = std::get_if<double>(&value)) {
                out += formatDouble(piece.conversion, *d);
            } else {
                out += formatString(piece.conversion, std::get<std::string>(value));
            }
        }
    } while (hasConversion && next < flat.size());
    return out;
}

std::string formatNumber(const std::string& format, double value) {
    return formatText(format, {Matrix::scalar(value)});
}

std::string num2str(double x) {
    if (x == 0) {
        return "0";
    }
    if (!std::isfinite(x)) {
        return nonFiniteText(x);
    }
    if (isWhole(x)) {
        return printfOne("%.0f", x);
    }
    // Enough significant digits for the integer part plus four decimals, at least five.
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(x))));
    const int digits = std::min(std::max(magnitude + 5, 5), 17);
    return printfOne("%." + std::to_string(digits) + "g", x);
}

std::string num2str(double x, int precision) {
    if (!std::isfinite(x)) {
        return nonFiniteText(x);
    }
    return printfOne("%." + std::to_string(precision) + "g", x);
}

}  // namespace ambiscan
