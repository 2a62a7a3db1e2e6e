#include "figures/horizontalScatter.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/render/AxesFrame.hpp"

namespace ambiscan::figures {
namespace {

using graphics::LineObject;
using graphics::ObjectType;

// Three good fixes and two bad ones: one off horizontally (0.3 m east), one in height only.
analysis::DataSetResults fiveFixes() {
    analysis::DataSetResults d;
    d.name = "Rx_1";
    d.times = Matrix::column({10, 20, 30, 40, 50});
    d.east = Matrix::column({0.01, -0.02, 0.0, 0.3, 0.01});
    d.north = Matrix::column({0.0, 0.01, -0.03, 0.0, 0.02});
    d.height = Matrix::column({0.0, 0.05, -0.01, 0.0, 0.5});
    return d;
}

evidence::DataSetEvidence percentiles() {
    evidence::DataSetEvidence e;
    e.horizontalP50 = 0.0224;
    e.horizontalP95 = 0.03;
    return e;
}

TEST(HorizontalScatter, GoodAndBadFixesAndThreeCirclesOnEqualAxes) {
    graphics::Graphics g = horizontalScatter(fiveFixes(), percentiles(), {0, 0, 1});
    std::vector<const LineObject*> lines;
    for (graphics::Handle h : g.handlesOf(ObjectType::Line)) {
        lines.push_back(&g.as<LineObject>(h));
    }
    ASSERT_EQ(lines.size(), 5u);
    const auto byMarker = [&](const std::string& marker) {
        return *std::find_if(lines.begin(), lines.end(),
                             [&](const LineObject* l) { return l->marker == marker; });
    };
    EXPECT_EQ(byMarker(".")->xdata.numel(), 3u);  // good, in the receiver's colour
    EXPECT_EQ(byMarker(".")->color, (graphics::Rgb{0, 0, 1}));
    // Bad: the height one drawn, the east one 0.3 m off beyond the square shown but counted.
    EXPECT_EQ(byMarker("x")->xdata.numel(), 1u);
    const auto legends = g.handlesOf(ObjectType::Legend);
    ASSERT_EQ(legends.size(), 1u);
    EXPECT_EQ(g.as<graphics::LegendObject>(legends[0]).texts.at(1),
              "bad fixes (2, 1 beyond the axes)");
    std::vector<double> radii;
    for (const LineObject* l : lines) {
        if (l->marker == "none") {
            radii.push_back(*std::max_element(l->xdata.begin(), l->xdata.end()));
        }
    }
    std::sort(radii.begin(), radii.end());
    ASSERT_EQ(radii.size(), 3u);
    EXPECT_DOUBLE_EQ(radii[0], 0.0224);
    EXPECT_DOUBLE_EQ(radii[1], 0.03);
    EXPECT_DOUBLE_EQ(radii[2], 0.12);

    // A metre is as many pixels across as up, and the limit circle has room around it.
    const auto limits = g.axis();
    const render::Frame frame = render::axesFrame(g, g.gca(), kScatterSide, kScatterSide);
    EXPECT_NEAR((limits[1] - limits[0]) / frame.width, (limits[3] - limits[2]) / frame.height,
                1e-9);
    // The shorter side of the frame shows 0.162 m either way of zero; the longer one more.
    EXPECT_DOUBLE_EQ(std::min(limits[1], limits[3]), 0.162);
    EXPECT_GE(std::max(limits[1], limits[3]), 0.162);
    EXPECT_DOUBLE_EQ(limits[0], -limits[1]);
    EXPECT_DOUBLE_EQ(limits[2], -limits[3]);
}

TEST(HorizontalScatter, WithoutGoodFixesOnlyTheLimitCircleIsDrawn) {
    analysis::DataSetResults d = fiveFixes();
    d.height = Matrix::column({1, 1, 1, 1, 1});
    evidence::DataSetEvidence none;
    none.horizontalP50 = none.horizontalP95 = std::numeric_limits<double>::quiet_NaN();
    const graphics::Graphics g = horizontalScatter(d, none, {1, 0, 0});
    EXPECT_EQ(g.handlesOf(ObjectType::Line).size(), 2u);  // the bad fixes and the limit
}

}  // namespace
}  // namespace ambiscan::figures
