#include "app/commandLine.hpp"

#include <gtest/gtest.h>

namespace ambiscan::app {
namespace {

using render::FigureFormat;
using Words = std::vector<std::string>;

TEST(CommandLine, OptionFormsAndTheWordsAfterThem) {
    const Options o = parseCommandLine(
        {"-qi", "rig.txt", "--output-dir=out", "--format", "pdf,png,pdf", "--", "T", "--", "-x"});
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.input, "rig.txt");
    EXPECT_EQ(o.outputDir, "out");
    EXPECT_EQ(o.formats, (std::vector<FigureFormat>{FigureFormat::Pdf, FigureFormat::Png}));
    // Only the first "--" ends the options; the second is a legend like any word.
    EXPECT_EQ(o.words, (Words{"T", "--", "-x"}));

    const Options plain = parseCommandLine({"T", "-q", "--help"});
    EXPECT_FALSE(plain.quiet);
    EXPECT_EQ(plain.action, Options::Action::Run);
    EXPECT_EQ(plain.input, "inits.txt");
    EXPECT_EQ(plain.formats, std::vector<FigureFormat>{FigureFormat::Png});
    EXPECT_EQ(plain.words, (Words{"T", "-q", "--help"}));
}

TEST(CommandLine, GateValuesAreWholeNumbersInTheirRange) {
    const Options o = parseCommandLine({"--require-reliability", "99.5", "--require-p90", "0"});
    EXPECT_EQ(o.requireReliability, 99.5);
    EXPECT_EQ(o.requireP90, 0.0);
    for (const Words& bad :
         {Words{"--require-reliability", "100.1"}, Words{"--require-reliability", "99%"},
          Words{"--require-p90", "-1"}, Words{"--require-p90", "nan"},
          Words{"--require-p90", "0x10"}, Words{"--require-p90", " 5"},
          Words{"--require-p90", "5 "}, Words{"--format", ""}, Words{"--format", "png,"},
          Words{"--format", "PNG"}, Words{"-i", "a", "-i", "b"}}) {
        EXPECT_THROW(parseCommandLine(bad), CommandLineError) << bad[0] << " " << bad[1];
    }
}

// A flag given a value is refused by its name; the value of an option that takes one, and
// every word from the title on, may look like anything.
TEST(CommandLine, FlagsTakeNoValueButValuesAndWordsMayLookLikeFlags) {
    for (const Words& bad : {Words{"-q=1", "T"}, Words{"-o", "out", "--quiet=no", "T"},
                             Words{"--no-report=", "T"}, Words{"--help=1"}}) {
        try {
            parseCommandLine(bad);
            ADD_FAILURE() << bad[0];
        } catch (const CommandLineError& e) {
            EXPECT_NE(std::string(e.what()).find(" takes no value"), std::string::npos) << e.what();
        }
    }
    const Options o = parseCommandLine({"-i", "-q=1.txt", "--require-p90", "1e2", "T", "-q=1"});
    EXPECT_EQ(o.input, "-q=1.txt");
    EXPECT_FALSE(o.quiet);
    EXPECT_EQ(o.requireP90, 100.0);
    EXPECT_EQ(o.words, (Words{"T", "-q=1"}));
}

TEST(CommandLine, LabelNoteAndTheComparisonOfRuns) {
    const Options run = parseCommandLine({"--label", "V1.02", "--note", "rig 2", "T", "RxA"});
    EXPECT_EQ(run.action, Options::Action::Run);
    EXPECT_EQ(run.label, "V1.02");
    EXPECT_EQ(run.note, "rig 2");
    EXPECT_FALSE(parseCommandLine({"T", "RxA"}).label.has_value());

    // The runs are every value after --compare; the options may come before or after them.
    const Options c =
        parseCommandLine({"--fail-on-regression", "--compare", "a", "b/summary.json", "c",
                          "--match", "X=RxA", "--match", "Y=RxB", "-o", "out", "--baseline", "c"});
    EXPECT_EQ(c.action, Options::Action::Compare);
    EXPECT_EQ(c.compareRuns, (std::vector<std::filesystem::path>{"a", "b/summary.json", "c"}));
    EXPECT_EQ(c.baseline, std::filesystem::path("c"));
    EXPECT_EQ(c.legendMatches,
              (std::vector<std::pair<std::string, std::string>>{{"X", "RxA"}, {"Y", "RxB"}}));
    EXPECT_TRUE(c.failOnRegression);
    EXPECT_EQ(c.outputDir, "out");
    // A baseline outside the list makes the second run.
    EXPECT_EQ(parseCommandLine({"--compare", "a", "--baseline", "z"}).action,
              Options::Action::Compare);
    EXPECT_EQ(parseCommandLine({"--help", "--compare", "a", "b"}).action, Options::Action::Help);

    for (const Words& bad :
         {Words{"--compare", "a"}, Words{"--compare", "a", "b", "--", "Title"},
          Words{"--baseline", "a", "T", "RxA"}, Words{"--fail-on-regression", "T", "RxA"},
          Words{"--match", "A=B", "T", "RxA"}, Words{"--compare", "a", "b", "--match", "AB"},
          Words{"--compare", "a", "b", "--match", "=B"},
          Words{"--compare", "a", "b", "--match", "A="},
          Words{"--compare", "a", "b", "--label", "V1"},
          Words{"-i", "x.txt", "--compare", "a", "b"},
          Words{"--compare", "a", "b", "--no-report"}}) {
        EXPECT_THROW(parseCommandLine(bad), CommandLineError) << bad[0] << " " << bad[1];
    }
}

}  // namespace
}  // namespace ambiscan::app
