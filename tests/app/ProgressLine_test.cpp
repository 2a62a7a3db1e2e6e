#include "app/ProgressLine.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace ambiscan::app {
namespace {

TEST(ProgressLine, SilentInTheFirstSecondAndWhenNotATerminal) {
    std::ostringstream shortRun, notTerminal;
    {
        ProgressLine progress(shortRun, true);
        progress.stage("reading inits.txt");
    }
    {
        ProgressLine progress(notTerminal, false);
        progress.stage("reading inits.txt");
        std::this_thread::sleep_for(std::chrono::milliseconds(1800));
    }
    EXPECT_EQ(shortRun.str(), "");
    EXPECT_EQ(notTerminal.str(), "");
}

TEST(ProgressLine, PastASecondRewritesOneLineAndErasesItAtTheEnd) {
    std::ostringstream terminal;
    {
        ProgressLine progress(terminal, true);
        progress.stage("figure 2 of at most 9");
        std::this_thread::sleep_for(std::chrono::milliseconds(1800));
    }
    // Written once (the text did not change), the cursor left at the line's start, then erased.
    EXPECT_EQ(terminal.str(), "\rambiscan: figure 2 of at most 9\033[K\r\r\033[K");
}

}  // namespace
}  // namespace ambiscan::app
