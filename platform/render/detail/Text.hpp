#pragma once

#include <cairo.h>

#include <string>
#include <vector>

// Text on a Cairo context: font choice by name, measuring and drawing UTF-8 text literally,
// with glyphs the chosen font lacks taken from a font with wider coverage.
namespace ambiscan::render {

struct Font {
    std::string family;  // a family fontconfig knows, as chosen by fontFor()
    double pixels = 16;  // em size in pixels
    bool bold = false;
    bool italic = false;
};

// Pixels per typographic point in the figures: a 10 point label is 17.5 pixels high.
inline constexpr double kPixelsPerPoint = 1.75;

// The font drawn for a font name of the model: any monospaced name ("courier", "Courier New",
// "monospace", names with "mono" in them ...) gives DejaVu Sans Mono, serif names a serif
// font, everything else (Helvetica, Arial, ...) Liberation Sans.
Font fontFor(const std::string& fontName, double points, const std::string& weight,
             const std::string& angle);
bool isMonospacedName(const std::string& fontName);

struct TextMetrics {
    double ascent = 0;   // above the baseline
    double descent = 0;  // below the baseline
    double lineHeight = 0;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Middle, Baseline, Bottom };

class TextPainter {
  public:
    explicit TextPainter(cairo_t* cr);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    TextMetrics metrics(const Font& font);
    double width(const std::string& text, const Font& font);
    double widest(const std::vector<std::string>& lines, const Font& font);
    // Draws lines of text anchored at (x, y), turned by angle degrees counter-clockwise about
    // the anchor. Each line is aligned on its own.
    void draw(const std::vector<std::string>& lines, const Font& font, double x, double y, HAlign h,
              VAlign v, double angleDegrees = 0);

  private:
    struct Run {
        std::string text;
        bool fallback;
    };
    void select(const Font& font, bool fallback);
    std::vector<Run> runs(const std::string& text, const Font& font);

    cairo_t* cr_;
    cairo_font_options_t* options_;
};

}  // namespace ambiscan::render
