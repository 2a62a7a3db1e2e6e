#include "app/WatchStatus.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace ambiscan::app {
namespace {

TEST(WatchStatus, OneLinePerReceiverKeptInPlace) {
    evidence::SequentialRun run =
        evidence::startSequentialRun({"RxA", "RxB"}, {95.0, std::nullopt}, 1.5, 0.002);
    Matrix clean(10, 9, 0.0);
    evidence::addRecords(run, clean);
    // 10 of 10: the sequence's lower end is the scipy root 58.31 %; 80 - 10 attempts to pass.
    const std::vector<std::string> lines = watchStatusLines(run, true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "RxA: 10 attempts, reliability 100.00 % (95 % sequence 58.31–100.00 %); "
              "--require-reliability 95: ≥ 70 more attempts to pass");
    EXPECT_EQ(watchStatusLines(run, false)[1],
              "RxB: 10 attempts, reliability 100.00 % (95 % sequence 58.31–100.00 %)");

    std::ostringstream terminal;
    StatusBoard board(terminal);
    board.show({"a", "b"});
    board.show({"c", "d"});
    // The second time up two lines first, each line cleared before it is written.
    EXPECT_EQ(terminal.str(), "\r\x1b[Ka\n\r\x1b[Kb\n\x1b[2A\r\x1b[Kc\n\r\x1b[Kd\n");
}

}  // namespace
}  // namespace ambiscan::app
