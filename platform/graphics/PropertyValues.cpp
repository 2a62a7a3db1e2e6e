#include "platform/graphics/PropertyValues.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/base/RuntimeError.hpp"
#include "platform/numeric/Format.hpp"

namespace ambiscan::graphics {

namespace {

[[noreturn]] void badValue(const std::string& property, const std::string& need) {
    throw RuntimeError("Bad value for property \"" + property + "\": " + need + ".");
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return parts;
}

}  // namespace

double toNumber(const Value& v, const std::string& property) {
    const auto* m = std::get_if<Matrix>(&v);
    if (m == nullptr || m->numel() != 1) {
        badValue(property, "a single number is needed");
    }
    return (*m)[0];
}

std::string toText(const Value& v, const std::string& property) {
    const auto* s = std::get_if<std::string>(&v);
    if (s == nullptr) {
        badValue(property, "a text is needed");
    }
    return *s;
}

std::string toChoice(const Value& v, const std::string& property,
                     const std::vector<std::string>& choices) {
    const std::string text = lowerCase(toText(v, property));
    if (std::find(choices.begin(), choices.end(), text) == choices.end()) {
        std::string list;
        for (const auto& c : choices) {
            list += (list.empty() ? "\"" : ", \"") + c + "\"";
        }
        badValue(property, "one of " + list + " is needed");
    }
    return text;
}

bool toOnOff(const Value& v, const std::string& property) {
    return toChoice(v, property, {"on", "off"}) == "on";
}

Matrix toMatrix(const Value& v, const std::string& property) {
    const auto* m = std::get_if<Matrix>(&v);
    if (m == nullptr) {
        badValue(property, "a number array is needed");
    }
    return *m;
}

std::vector<double> toVector(const Value& v, const std::string& property) {
    return toMatrix(v, property).toVector();
}

std::array<double, 2> toLimits(const Value& v, const std::string& property) {
    const Matrix m = toMatrix(v, property);
    if (m.numel() != 2 || !(m[0] < m[1])) {
        badValue(property, "two increasing numbers are needed");
    }
    return {m[0], m[1]};
}

ColorSpec toColor(const Value& v, const std::string& property) {
    if (const auto* m = std::get_if<Matrix>(&v)) {
        if (m->numel() != 3) {
            badValue(property, "three colour fractions [red green blue] are needed");
        }
        for (const double x : m->data()) {
            if (!(x >= 0 && x <= 1)) {
                badValue(property, "colour fractions must lie between 0 and 1");
            }
        }
        return ColorSpec{ColorSpec::Kind::Rgb, Rgb{(*m)[0], (*m)[1], (*m)[2]}};
    }
    const std::string name = lowerCase(toText(v, property));
    if (name == "none")
        return ColorSpec{ColorSpec::Kind::None, {}};
    if (name == "flat")
        return ColorSpec{ColorSpec::Kind::Flat, {}};
    if (name == "auto")
        return ColorSpec{ColorSpec::Kind::Auto, {}};
    static const std::vector<std::pair<std::string, char>> kNames{
        {"red", 'r'},     {"green", 'g'},  {"blue", 'b'},  {"cyan", 'c'},
        {"magenta", 'm'}, {"yellow", 'y'}, {"black", 'k'}, {"white", 'w'}};
    char letter = name.size() == 1 ? name[0] : '\0';
    for (const auto& [full, l] : kNames) {
        if (name == full)
            letter = l;
    }
    if (const auto rgb = colorOfLetter(letter)) {
        return ColorSpec{ColorSpec::Kind::Rgb, *rgb};
    }
    badValue(property, "a colour is needed, not \"" + name + "\"");
}

Rgb toRgb(const Value& v, const std::string& property) {
    const ColorSpec c = toColor(v, property);
    if (c.kind != ColorSpec::Kind::Rgb) {
        badValue(property, "a colour is needed");
    }
    return c.rgb;
}

std::vector<std::string> toTexts(const Value& v, const std::string& property, bool splitBars) {
    std::vector<std::string> lines;
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (!s->empty()) {
            lines = split(*s, splitBars ? '|' : '\n');
        }
    } else if (const auto* cell = std::get_if<CellRow>(&v)) {
        lines = *cell;
    } else {
        const Matrix numbers = toMatrix(v, property);
        for (const double x : numbers.data()) {
            lines.push_back(num2str(x));
        }
    }
    return lines;
}

Value numberValue(double x) {
    return Matrix::scalar(x);
}

Value rowValue(const std::vector<double>& values) {
    return values.empty() ? Matrix(1, 0) : Matrix::row(values);
}

Value onOffValue(bool on) {
    return std::string(on ? "on" : "off");
}

Value colorValue(const ColorSpec& c) {
    switch (c.kind) {
        case ColorSpec::Kind::None:
            return std::string("none");
        case ColorSpec::Kind::Flat:
            return std::string("flat");
        case ColorSpec::Kind::Auto:
            return std::string("auto");
        case ColorSpec::Kind::Rgb:
            break;
    }
    return rgbValue(c.rgb);
}

Value rgbValue(const Rgb& c) {
    return Matrix::row({c.r, c.g, c.b});
}

Value textsValue(const std::vector<std::string>& lines) {
    if (lines.size() == 1)
        return lines.front();
    if (lines.empty())
        return std::string();
    return CellRow(lines);
}

}  // namespace ambiscan::graphics
