#include "platform/render/detail/ColumnPiece.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace ambiscan::render {
namespace {

using Column = ColumnReducer::Column;

// A column started at the point, as the column reducer starts one.
Column startedAt(Point p) {
    return Column{std::floor(p.x), 0, p, p, p, 0, 0, 0};
}

// What taking the points one at a time leaves: the column and how many were taken.
std::size_t takeOneByOne(const std::vector<double>& xs, const std::vector<double>& ys,
                         const PixelMapping& map, double top, double bottom, Column& column) {
    std::size_t k = 0;
    for (; k < xs.size() && k < ColumnPiece::kSize; ++k) {
        const Point p{map.px(xs[k]), map.py(ys[k])};
        if (!(column.holds(p.x) && p.y >= top && p.y <= bottom))
            break;
        column.take(p);
    }
    return k;
}

void expectSameColumn(const Column& a, const Column& b) {
    EXPECT_EQ(a.count, b.count);
    EXPECT_EQ(a.low.x, b.low.x);
    EXPECT_EQ(a.low.y, b.low.y);
    EXPECT_EQ(a.high.x, b.high.x);
    EXPECT_EQ(a.high.y, b.high.y);
    EXPECT_EQ(a.last.x, b.last.x);
    EXPECT_EQ(a.last.y, b.last.y);
    EXPECT_EQ(a.lowIndex, b.lowIndex);
    EXPECT_EQ(a.highIndex, b.highIndex);
    EXPECT_EQ(a.lastIndex, b.lastIndex);
}

// 300 points across one column, the one at `leaveAt` leaving it in one of four ways, mapped
// `lanes` at a time, against taking them one by one.
void checkPiece(std::size_t leaveAt, int way, int lanes) {
    Frame frame;
    frame.left = 80, frame.top = 50, frame.width = 1080, frame.height = 780;
    frame.xlim = {0, 1000}, frame.ylim = {-5, 5};
    const PixelMapping map(frame);
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 1);
    std::vector<double> xs, ys;
    for (std::size_t k = 0; k < 300; ++k) {
        xs.push_back(100.0 + 0.9 * static_cast<double>(k) / 300);
        ys.push_back(k % 7 == 3 ? 1.25 : k % 11 == 5 ? -1.25 : noise(random));
    }
    if (leaveAt < xs.size()) {
        if (way == 0)
            xs[leaveAt] = 101.5;
        else if (way == 1)
            ys[leaveAt] = 4.9;
        else if (way == 2)
            ys[leaveAt] = -4.9;
        else
            ys[leaveAt] = NAN;
    }
    const double top = map.py(4), bottom = map.py(-4);
    const Point first{map.px(100), map.py(0)};
    Column expected = startedAt(first);
    const std::size_t taken = takeOneByOne(xs, ys, map, top, bottom, expected);
    // Different solid rows in the column's two pixel columns.
    const auto rowAt = [&](double y) { return static_cast<std::int32_t>(map.py(y) + 0.5); };
    const SolidRows solid{rowAt(0.5), rowAt(-0.5), rowAt(1), rowAt(0)};
    Column column = startedAt(first);
    ColumnPiece piece;
    withLanes(lanes, [&]<int kLanes>() AMBISCAN_INLINE_LANES {
        mapWhileInColumn<true, kLanes>(xs.data(), ys.data(), xs.size(), map, column.left, top,
                                       bottom, piece, 900, solid);
    });
    takePiece(piece, column);
    ASSERT_EQ(piece.count, taken);
    expectSameColumn(column, expected);
    std::vector<std::uint16_t> outside;
    for (std::size_t k = 0; k < taken; ++k) {
        ASSERT_EQ(piece.x[k], map.px(xs[k]));
        ASSERT_EQ(piece.y[k], map.py(ys[k]));
        // The pixel each rounds to, half up, counted column after column.
        const auto col = static_cast<std::int32_t>(piece.x[k] + 0.5);
        const auto row = static_cast<std::int32_t>(piece.y[k] + 0.5);
        ASSERT_EQ(piece.index[k], col * 900 + row);
        if (!solid.holds(row, col == static_cast<std::int32_t>(column.left)))
            outside.push_back(static_cast<std::uint16_t>(k));
    }
    EXPECT_EQ(std::vector<std::uint16_t>(piece.outside, piece.outside + piece.outsideCount),
              outside);
}

TEST(ColumnPiece, TakesWhatTakingPointsOneByOneTakes) {
    // Pieces that leave the column after an even and an odd count, by x, above, below or at a
    // NaN; that fill a whole piece; that tie at their lowest and highest; that end short.
    constexpr std::size_t kSize = ColumnPiece::kSize;
    for (std::size_t leaveAt :
         {0ul, 1ul, 2ul, 3ul, 37ul, 38ul, 39ul, 40ul, kSize - 3, kSize - 1, kSize, 300ul}) {
        for (int way = 0; way < 4; ++way) {
            for (const int lanes : {2, 4}) {
                if (lanes > widestLanes())
                    continue;
                SCOPED_TRACE(testing::Message() << "leaving at " << leaveAt << ", way " << way
                                                << ", " << lanes << " lanes");
                checkPiece(leaveAt, way, lanes);
            }
        }
    }
}

}  // namespace
}  // namespace ambiscan::render
