#include "platform/render/detail/Text.hpp"

#include <gtest/gtest.h>

namespace ambiscan::render {
namespace {

class TextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
        cr_ = cairo_create(surface_);
    }
    void TearDown() override {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

TEST_F(TextTest, CourierAndOtherMonospacedNamesGiveEqualCharacterWidths) {
    TextPainter text(cr_);
    for (const char* name : {"courier", "Courier New", "monospace", "Liberation Mono"}) {
        const Font font = fontFor(name, 8, "normal", "normal");
        EXPECT_DOUBLE_EQ(text.width("iiii", font), text.width("MMMM", font)) << name;
        EXPECT_DOUBLE_EQ(text.width("90%=   95sec", font), text.width("90%= 1205sec", font))
            << name;
    }
}

TEST_F(TextTest, DefaultFontIsProportionalSans) {
    TextPainter text(cr_);
    const Font font = fontFor("Helvetica", 10, "normal", "normal");
    EXPECT_FALSE(isMonospacedName("Helvetica"));
    EXPECT_LT(text.width("iiii", font), text.width("MMMM", font));
    EXPECT_DOUBLE_EQ(font.pixels, 10 * kPixelsPerPoint);
}

TEST_F(TextTest, WidthGrowsWithSize) {
    TextPainter text(cr_);
    const Font small = fontFor("Helvetica", 10, "normal", "normal");
    const Font large = fontFor("Helvetica", 20, "normal", "normal");
    EXPECT_NEAR(text.width("Position Error", large), 2 * text.width("Position Error", small), 1.0);
}

TEST_F(TextTest, BrokenUtf8IsReplacedNotPassedOn) {
    TextPainter text(cr_);
    const Font font = fontFor("Helvetica", 10, "normal", "normal");
    EXPECT_GT(text.width("\xC3\x28 \xE2\x82", font), 0);
    // One replacement for a character cut short, one for each stray byte: as the page shows.
    const double replacement = text.width("\xEF\xBF\xBD", font);
    EXPECT_DOUBLE_EQ(text.width("a\xE2\x82", font), text.width("a", font) + replacement);
    EXPECT_DOUBLE_EQ(text.width("\x80\x80", font), 2 * replacement);
    EXPECT_DOUBLE_EQ(text.width("\xC3\xA9", font), text.width("é", font));
    text.draw({"\xF0\x9F\x98", "日本語"}, font, 1, 1, HAlign::Left, VAlign::Top);
    EXPECT_EQ(cairo_status(cr_), CAIRO_STATUS_SUCCESS);
}

}  // namespace
}  // namespace ambiscan::render
