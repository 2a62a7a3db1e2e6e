#include <gtest/gtest.h>

#include "platform/graphics/Graphics.hpp"

namespace ambiscan::graphics {
namespace {

TEST(Colstyle, SplitsColourStyleAndMarkerInAnyOrder) {
    const LineSpec a = colstyle("r-x");
    EXPECT_EQ(a.color, "r");
    EXPECT_EQ(a.lineStyle, "-");
    EXPECT_EQ(a.marker, "x");
    EXPECT_TRUE(a.message.empty());
    const LineSpec b = colstyle("ob");
    EXPECT_EQ(b.color, "b");
    EXPECT_EQ(b.marker, "o");
    EXPECT_TRUE(b.lineStyle.empty());
}

TEST(Colstyle, TwoCharacterStylesWin) {
    EXPECT_EQ(colstyle("--").lineStyle, "--");
    EXPECT_EQ(colstyle("g-.").lineStyle, "-.");
    EXPECT_EQ(colstyle("-.").marker, "");
    EXPECT_EQ(colstyle(".-").marker, ".");
    EXPECT_EQ(colstyle(".-").lineStyle, "-");
    EXPECT_EQ(colstyle(":").lineStyle, ":");
}

TEST(Colstyle, EveryMarkerLetterIsKnown) {
    for (const char m : std::string("ox+*.sdv^<>ph")) {
        EXPECT_EQ(colstyle(std::string(1, m)).marker, std::string(1, m));
    }
}

TEST(Colstyle, NotALineSpecGivesMessage) {
    EXPECT_FALSE(colstyle("fill").message.empty());
    EXPECT_FALSE(colstyle("rr").message.empty());
    EXPECT_FALSE(colstyle("--:").message.empty());
    EXPECT_TRUE(colstyle("").message.empty());
}

TEST(Colstyle, ColourLetters) {
    EXPECT_EQ(*colorOfLetter('g'), (Rgb{0, 1, 0}));
    EXPECT_EQ(*colorOfLetter('k'), (Rgb{0, 0, 0}));
    EXPECT_FALSE(colorOfLetter('q').has_value());
}

}  // namespace
}  // namespace ambiscan::graphics
