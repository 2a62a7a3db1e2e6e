#pragma once

#include <string>
#include <variant>
#include <vector>

#include "platform/numeric/Matrix.hpp"

namespace ambiscan {

// A cell row of texts.
using CellRow = std::vector<std::string>;

// One argument of the generic calling form and of the chart primitives' trailing
// "options and name/value pairs": a number matrix, a text, or a cell row of texts.
using Value = std::variant<Matrix, std::string, CellRow>;

inline bool isText(const Value& v) {
    return std::holds_alternative<std::string>(v);
}
inline bool isNumeric(const Value& v) {
    return std::holds_alternative<Matrix>(v);
}
inline bool isCell(const Value& v) {
    return std::holds_alternative<CellRow>(v);
}

// Empty as the program means it: an empty matrix, an empty text or an empty cell row.
inline bool isEmptyValue(const Value& v) {
    return std::visit([](const auto& x) { return x.empty(); }, v);
}

}  // namespace ambiscan
