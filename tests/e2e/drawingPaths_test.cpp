// The fast drawing paths against the plain ones, over every figure of a real run: the four-lane
// code against one lane at a time (the same bytes), the raster painter against Cairo's paths
// (the same picture).
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/render/PngReader.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

namespace fs = std::filesystem;
using render::testing::Image;
using render::testing::readPng;
using render::testing::shareClose;

TEST(DrawingPaths, ScalarCodeAndThePlainPainterDrawTheFiguresOfTheFastPaths) {
    const std::string example =
        readFile(fs::path(AMBISCAN_SOURCE_DIR) / "examples/five-receivers-two-days/inits.txt");
    TempDir fast, scalar, plain;
    for (const TempDir* dir : {&fast, &scalar, &plain}) {
        writeFile(*dir / "inits.txt", example);
    }
    const std::vector<std::string> words = {"--no-report", "TwoDayTest", "V1", "V2",
                                            "V3",          "V4",         "V5"};
    const RunResult fastRun = runProgram(fast.path(), words);
    ASSERT_EQ(fastRun.status, 0) << fastRun.err;
    const RunResult scalarRun = runProgram(scalar.path(), words, "AMBISCAN_SCALAR=1");
    ASSERT_EQ(scalarRun.status, 0) << scalarRun.err;
    const RunResult plainRun = runProgram(plain.path(), words, "AMBISCAN_PAINTER=plain");
    ASSERT_EQ(plainRun.status, 0) << plainRun.err;
    EXPECT_EQ(scalarRun.out, fastRun.out);
    EXPECT_EQ(plainRun.out, fastRun.out);

    int figures = 0;
    for (const std::string& name : filesIn(fast.path())) {
        if (!name.ends_with(".png")) {
            continue;
        }
        ++figures;
        EXPECT_EQ(readFile(scalar / name), readFile(fast / name)) << name;
        const Image a = readPng((fast / name).string());
        const Image b = readPng((plain / name).string());
        ASSERT_EQ(a.width, b.width) << name;
        ASSERT_EQ(a.height, b.height) << name;
        // Anti-aliased edges differ by part of a level here and there; nothing is moved.
        EXPECT_GT(shareClose(a, b, 96), 0.995) << name;
    }
    EXPECT_EQ(figures, 33);
}

// zlib's encoder, the fallback, against the hand-written one: the same pixels in every figure.
TEST(DrawingPaths, ZlibsPngEncoderWritesThePixelsOfTheHandWrittenOne) {
    const std::string example =
        readFile(fs::path(AMBISCAN_SOURCE_DIR) / "examples/two-receivers-midnight/inits.txt");
    TempDir own, zlib;
    writeFile(own / "inits.txt", example);
    writeFile(zlib / "inits.txt", example);
    const std::vector<std::string> words = {"--no-report", "RTKTest", "RxA", "RxB"};
    const RunResult ownRun = runProgram(own.path(), words);
    ASSERT_EQ(ownRun.status, 0) << ownRun.err;
    const RunResult zlibRun = runProgram(zlib.path(), words, "AMBISCAN_PNG_ENCODER=zlib");
    ASSERT_EQ(zlibRun.status, 0) << zlibRun.err;
    EXPECT_EQ(zlibRun.out, ownRun.out);
    int figures = 0;
    for (const std::string& name : filesIn(own.path())) {
        if (!name.ends_with(".png"))
            continue;
        ++figures;
        EXPECT_NE(readFile(zlib / name), readFile(own / name)) << name << ": not zlib's";
        const Image a = readPng((own / name).string()), b = readPng((zlib / name).string());
        ASSERT_GT(a.width, 0) << name;
        EXPECT_EQ(b.width, a.width) << name;
        EXPECT_EQ(b.rgb, a.rgb) << name;
    }
    EXPECT_GT(figures, 10);
}

// A build made with AMBISCAN_PORTABLE=ON (no x86-specific code), where the test command names one
// in AMBISCAN_PORTABLE_EXE: the same console, stats.csv and figures, byte for byte.
TEST(DrawingPaths, ThePortableBuildWritesWhatThisBuildWrites) {
    const char* portable = std::getenv("AMBISCAN_PORTABLE_EXE");
    if (portable == nullptr)
        GTEST_SKIP() << "no portable build named in AMBISCAN_PORTABLE_EXE";
    const std::string example =
        readFile(fs::path(AMBISCAN_SOURCE_DIR) / "examples/five-receivers-two-days/inits.txt");
    TempDir here, there;
    writeFile(here / "inits.txt", example);
    writeFile(there / "inits.txt", example);
    const std::vector<std::string> words = {"--no-report", "TwoDayTest", "V1", "V2",
                                            "V3",          "V4",         "V5"};
    const RunResult ours = runProgram(here.path(), words);
    ASSERT_EQ(ours.status, 0) << ours.err;
    const RunResult theirs = runProgram(there.path(), words, "", portable);
    ASSERT_EQ(theirs.status, 0) << theirs.err;
    EXPECT_EQ(theirs.out, ours.out);
    ASSERT_EQ(filesIn(there.path()), filesIn(here.path()));
    for (const std::string& name : filesIn(here.path()))
        EXPECT_EQ(readFile(there / name), readFile(here / name)) << name;
}

}  // namespace
}  // namespace ambiscan::testing
