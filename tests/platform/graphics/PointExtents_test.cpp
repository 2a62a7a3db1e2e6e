#include "platform/graphics/PointExtents.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace ambiscan::graphics {
namespace {

// The extents taken one point at a time.
void widenOneByOne(const std::vector<double>& x, const std::vector<double>& y, Extent& ex,
                   Extent& ey) {
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (std::isfinite(x[i]) && std::isfinite(y[i])) {
            ex.add(x[i]);
            ey.add(y[i]);
        }
    }
}

TEST(PointExtents, TwoAndFourAtATimeFindWhatOneAtATimeFinds) {
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0, 10);
    const double invalid[] = {NAN, INFINITY, -INFINITY};
    // Counts that leave 0 to 3 points after the last whole lanes; the widest points and the
    // invalid partners at every place within the lanes.
    for (std::size_t n : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 13u, 64u, 67u}) {
        for (std::size_t at = 0; at < n; ++at) {
            std::vector<double> x(n), y(n);
            for (std::size_t i = 0; i < n; ++i) {
                x[i] = noise(random);
                y[i] = noise(random);
            }
            x[at] = 1000;  // the widest in x and y, unless its partner is invalid
            y[at] = -1000;
            (at % 2 == 0 ? y : x)[(at + 1) % n] = invalid[at % 3];
            // Extents found before are widened, not replaced.
            const Extent before{-1, 1};
            Extent ex = before, ey = before;
            widenOneByOne(x, y, ex, ey);
            SCOPED_TRACE(testing::Message() << n << " points, widest at " << at);
            for (int lanes = 2; lanes <= widestLanes(); lanes += 2) {
                Extent wx = before, wy = before;
                widenByPoints(x.data(), y.data(), n, wx, wy, lanes);
                EXPECT_EQ(wx.lo, ex.lo);
                EXPECT_EQ(wx.hi, ex.hi);
                EXPECT_EQ(wy.lo, ey.lo);
                EXPECT_EQ(wy.hi, ey.hi);
            }
        }
    }
}

}  // namespace
}  // namespace ambiscan::graphics
