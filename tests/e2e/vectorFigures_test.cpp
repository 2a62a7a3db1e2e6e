// SVG and PDF figures: they parse, render like the PNG, keep their text, stay small.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "platform/render/PngReader.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;
using render::testing::Image;
using render::testing::readPng;
using render::testing::shareClose;

const char* const kInits =
    "345000 3    0.01  0.02  0.03\n"
    "345300 7.9  0.153 -0.021 0.3\n"
    "345600 8    0.12  0     -0.22\n"
    "345900 12.5 -0.01 0     0.05\n";

bool shell(const std::string& command) {
    std::string line = "/bin/bash -c ";
    line += shellQuoted(command);
    line += " >/dev/null 2>&1";
    return std::system(line.c_str()) == 0;
}

class VectorFigures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        writeFile(*dir_ / "inits.txt", kInits);
        run_ = runProgram(dir_->path(), {"--format", "svg,png,pdf", "RigTitle", "Rover"});
    }
    static void TearDownTestSuite() { delete dir_; }
    static TempDir* dir_;
    static RunResult run_;
};
TempDir* VectorFigures::dir_ = nullptr;
RunResult VectorFigures::run_;

// Cairo's own group ids count every surface the process made, so they once changed with the
// formats asked for and the order the workers took the figures in.
TEST_F(VectorFigures, SvgFiguresAreTheSameBytesWhateverElseTheRunDraws) {
    ASSERT_EQ(run_.status, 0) << run_.err;
    TempDir alone;
    writeFile(alone / "inits.txt", kInits);
    ASSERT_EQ(runProgram(alone.path(), {"-q", "--format", "svg", "RigTitle", "Rover"}).status, 0);
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(alone.path())) {
        if (entry.path().extension() == ".svg") {
            EXPECT_EQ(readFile(entry.path()), readFile(*dir_ / entry.path().filename()))
                << entry.path().filename();
            ++compared;
        }
    }
    EXPECT_GE(compared, 8);
}

TEST_F(VectorFigures, EveryFigureInEveryFormatAskedForWithTheSameConsoleAndStats) {
    ASSERT_EQ(run_.status, 0) << run_.err;
    TempDir plain;
    writeFile(plain / "inits.txt", kInits);
    const RunResult png = runProgram(plain.path(), {"RigTitle", "Rover"});
    EXPECT_EQ(run_.out, png.out);
    EXPECT_EQ(readFile(*dir_ / "stats.csv"), readFile(plain / "stats.csv"));
    for (const auto& entry : fs::directory_iterator(plain.path())) {
        if (entry.path().extension() != ".png") {
            continue;
        }
        const std::string stem = entry.path().stem().string();
        EXPECT_EQ(readFile(*dir_ / (stem + ".png")), readFile(entry.path())) << stem;
        EXPECT_TRUE(fs::exists(*dir_ / (stem + ".svg"))) << stem;
        EXPECT_TRUE(fs::exists(*dir_ / (stem + ".pdf"))) << stem;
    }
}

TEST_F(VectorFigures, SvgRendersToThePngsSizeWithMostPixelsClose) {
    ASSERT_EQ(run_.status, 0) << run_.err;
    for (const char* stem : {"InitTimeCDF", "Rover_PosData", "Rover_ENU_Hist"}) {
        const fs::path svg = *dir_ / (std::string(stem) + ".svg");
        const fs::path rendered = *dir_ / (std::string(stem) + "-from-svg.png");
        ASSERT_TRUE(shell("rsvg-convert -b white -o " + shellQuoted(rendered.string()) + " " +
                          shellQuoted(svg.string())))
            << stem;
        const Image fromSvg = readPng(rendered.string());
        const Image png = readPng((*dir_ / (std::string(stem) + ".png")).string());
        ASSERT_EQ(fromSvg.width, png.width) << stem;
        ASSERT_EQ(fromSvg.height, png.height) << stem;
        // Anti-aliasing and glyph rendering differ at edges; the picture is the same.
        EXPECT_GT(shareClose(fromSvg, png, 48), 0.97) << stem;
    }
}

TEST_F(VectorFigures, PdfRendersAndHoldsTheTitleAsText) {
    ASSERT_EQ(run_.status, 0) << run_.err;
    const fs::path pdf = *dir_ / "InitTimeCDF.pdf";
    const fs::path text = *dir_ / "cdf.txt";
    ASSERT_TRUE(shell("pdftoppm -r 36 -png -singlefile " + shellQuoted(pdf.string()) + " " +
                      shellQuoted((*dir_ / "cdf-page").string())));
    EXPECT_GT(readPng((*dir_ / "cdf-page.png").string()).width, 0);
    ASSERT_TRUE(shell("pdftotext " + shellQuoted(pdf.string()) + " " + shellQuoted(text.string())));
    EXPECT_NE(readFile(text).find("RigTitle"), std::string::npos) << readFile(text);
}

TEST(VectorFigureSize, AMillionPointLineStaysSmall) {
    TempDir dir;
    {
        // A million attempts of one receiver, noisy errors: the crowded lines of the figures.
        std::ofstream out(dir / "inits.txt");
        unsigned state = 12345;
        auto noise = [&state] {
            state = state * 1103515245u + 12345u;
            return static_cast<double>((state >> 8) % 2001) / 10000.0 - 0.1;
        };
        for (int k = 0; k < 1000000; ++k) {
            out << 100000 + 30 * k << ' ' << 5 + k % 40 << ' ' << noise() << ' ' << noise() << ' '
                << noise() << '\n';
        }
    }
    const RunResult run = runProgram(dir.path(), {"-q", "--format", "svg,pdf,png", "T", "Rx"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // a long run, but no progress line: standard error is a file
    for (const char* name :
         {"Rx_PosData.svg", "Rx_PosData.pdf", "InitTimeVTime.svg", "InitTimeVTime.pdf"}) {
        EXPECT_LT(fs::file_size(dir / name), 2u << 20) << name;
    }
    // The crowded markers, painted through their stamped coverage, look as in the PNG.
    ASSERT_TRUE(shell("rsvg-convert -b white -o " + shellQuoted((dir / "svg.png").string()) + " " +
                      shellQuoted((dir / "Rx_PosData.svg").string())));
    const Image fromSvg = readPng((dir / "svg.png").string());
    const Image png = readPng((dir / "Rx_PosData.png").string());
    ASSERT_EQ(fromSvg.width, png.width);
    ASSERT_EQ(fromSvg.height, png.height);
    EXPECT_GT(shareClose(fromSvg, png, 48), 0.97);
}

}  // namespace
}  // namespace ambiscan::testing
