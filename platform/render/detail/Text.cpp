#include "platform/render/detail/Text.hpp"

#include <cairo-ft.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "platform/base/LowerCase.hpp"
#include "platform/base/Utf8Prefix.hpp"

namespace ambiscan::render {

namespace {

constexpr const char* kSans = "Liberation Sans";
constexpr const char* kMono = "DejaVu Sans Mono";
constexpr const char* kSerif = "Liberation Serif";
// The font with the widest coverage of scripts among those installed with the program.
constexpr const char* kFallback = "DejaVu Sans";

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes UTF-8: each invalid byte or cut-short character becomes one U+FFFD, as on the page
// and in summary.json.
std::vector<char32_t> decode(std::string_view text) {
    std::vector<char32_t> out;
    while (!text.empty()) {
        const auto lead = static_cast<unsigned char>(text[0]);
        bool complete = true;
        const std::size_t length = lead < 0x80 ? 1 : utf8Prefix(text, complete);
        if (!complete) {
            out.push_back(0xFFFD);
        } else {
            // The lead byte keeps 7, 5, 4 or 3 bits; each following byte 6.
            char32_t cp = length == 1 ? lead : lead & (0xFFu >> (length + 1));
            for (std::size_t k = 1; k < length; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(text[k]) & 0x3Fu);
            out.push_back(cp);
        }
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace

bool isMonospacedName(const std::string& fontName) {
    const std::string name = lowerCase(fontName);
    for (const char* mono : {"courier", "mono", "fixed", "consol", "menlo", "monaco", "typewriter",
                             "lucida console", "terminal"}) {
        if (name.find(mono) != std::string::npos) {
            return true;
        }
    }
    return false;
}

Font fontFor(const std::string& fontName, double points, const std::string& weight,
             const std::string& angle) {
    Font font;
    const std::string name = lowerCase(fontName);
    if (isMonospacedName(name)) {
        font.family = kMono;
    } else if (name.find("times") != std::string::npos || name == "serif" ||
               name.find("roman") != std::string::npos ||
               name.find("georgia") != std::string::npos) {
        font.family = kSerif;
    } else {
        font.family = kSans;
    }
    font.pixels = std::clamp(points, 1.0, 200.0) * kPixelsPerPoint;
    font.bold = lowerCase(weight) == "bold" || lowerCase(weight) == "demi";
    font.italic = lowerCase(angle) == "italic" || lowerCase(angle) == "oblique";
    return font;
}

TextPainter::TextPainter(cairo_t* cr) : cr_(cr), options_(cairo_font_options_create()) {
    // Unhinted metrics keep widths proportional to the size, so that shrinking fits exactly.
    cairo_font_options_set_antialias(options_, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options_);
}

TextPainter::~TextPainter() {
    cairo_font_options_destroy(options_);
}

void TextPainter::select(const Font& font, bool fallback) {
    cairo_select_font_face(cr_, fallback ? kFallback : font.family.c_str(),
                           font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, font.pixels);
}

std::vector<TextPainter::Run> TextPainter::runs(const std::string& text, const Font& font) {
    std::vector<Run> result;
    select(font, false);
    cairo_scaled_font_t* scaled = cairo_get_scaled_font(cr_);
    FT_Face face = cairo_ft_scaled_font_lock_face(scaled);
    for (const char32_t raw : decode(text)) {
        const char32_t cp = (raw < 0x20 || raw == 0x7F) ? U' ' : raw;
        const bool covered = face == nullptr || FT_Get_Char_Index(face, cp) != 0;
        if (result.empty() || result.back().fallback == covered) {
            result.push_back(Run{{}, !covered});
        }
        appendUtf8(result.back().text, cp);
    }
    if (face != nullptr) {
        cairo_ft_scaled_font_unlock_face(scaled);
    }
    return result;
}

TextMetrics TextPainter::metrics(const Font& font) {
    select(font, false);
    cairo_font_extents_t e;
    cairo_font_extents(cr_, &e);
    return TextMetrics{e.ascent, e.descent, std::max(e.height, e.ascent + e.descent)};
}

double TextPainter::width(const std::string& text, const Font& font) {
    double w = 0;
    for (const Run& run : runs(text, font)) {
        select(font, run.fallback);
        cairo_text_extents_t e;
        cairo_text_extents(cr_, run.text.c_str(), &e);
        w += e.x_advance;
    }
    return w;
}

double TextPainter::widest(const std::vector<std::string>& lines, const Font& font) {
    double w = 0;
    for (const auto& line : lines) {
        w = std::max(w, width(line, font));
    }
    return w;
}

void TextPainter::draw(const std::vector<std::string>& lines, const Font& font, double x, double y,
                       HAlign h, VAlign v, double angleDegrees) {
    if (lines.empty()) {
        return;
    }
    const TextMetrics m = metrics(font);
    const double blockHeight =
        m.lineHeight * static_cast<double>(lines.size() - 1) + m.ascent + m.descent;
    // Baseline of the first line, relative to the anchor.
    double top = 0;
    switch (v) {
        case VAlign::Top:
            top = m.ascent;
            break;
        case VAlign::Middle:
            top = m.ascent - blockHeight / 2;
            break;
        case VAlign::Baseline:
            top = -m.lineHeight * static_cast<double>(lines.size() - 1);
            break;
        case VAlign::Bottom:
            top = m.ascent - blockHeight;
            break;
    }
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_rotate(cr_, -angleDegrees * M_PI / 180.0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double w = width(lines[i], font);
        double left = 0;
        if (h == HAlign::Center)
            left = -w / 2;
        if (h == HAlign::Right)
            left = -w;
        cairo_move_to(cr_, left, top + m.lineHeight * static_cast<double>(i));
        for (const Run& run : runs(lines[i], font)) {
            select(font, run.fallback);
            cairo_show_text(cr_, run.text.c_str());
        }
    }
    cairo_restore(cr_);
}

}  // namespace ambiscan::render
