#pragma once

#include <string>
#include <vector>

#include "platform/base/LowerCase.hpp"
#include "platform/graphics/Graphics.hpp"

// Conversions between property values (number matrix, text, cell row) and the typed fields of
// the model. Every conversion names the property in its error, so that a wrong value says
// which property it was meant for.
namespace ambiscan::graphics {

double toNumber(const Value& v, const std::string& property);
std::string toText(const Value& v, const std::string& property);
// A text from a fixed set of choices (compared without letter case), returned in lower case.
std::string toChoice(const Value& v, const std::string& property,
                     const std::vector<std::string>& choices);
bool toOnOff(const Value& v, const std::string& property);
Matrix toMatrix(const Value& v, const std::string& property);
std::vector<double> toVector(const Value& v, const std::string& property);
std::array<double, 2> toLimits(const Value& v, const std::string& property);
ColorSpec toColor(const Value& v, const std::string& property);
Rgb toRgb(const Value& v, const std::string& property);
// "string" of texts and "XTickLabel": a cell row gives one entry each, a text is split at
// line ends (or at "|" when splitBars), numbers are written as they would print.
std::vector<std::string> toTexts(const Value& v, const std::string& property, bool splitBars);

Value numberValue(double x);
Value rowValue(const std::vector<double>& values);
Value onOffValue(bool on);
Value colorValue(const ColorSpec& c);
Value rgbValue(const Rgb& c);
Value textsValue(const std::vector<std::string>& lines);

}  // namespace ambiscan::graphics
