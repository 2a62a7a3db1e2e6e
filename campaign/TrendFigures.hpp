#pragma once

#include <string>
#include <vector>

#include "campaign/Campaign.hpp"
#include "campaign/Trends.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::campaign {

// A figure of the comparison: its file name without extension, a caption, and its model.
struct TrendFigure {
    std::string name;
    std::string caption;
    graphics::Graphics figure;
};

// Per baseline receiver seen in three runs or more, in the figures' style: the reliability with
// its 95 % interval and the 90 % time to a correct fix with its interval against the runs'
// labels, runs significantly worse than the baseline marked; and the cumulative percentage of
// attempts correctly fixed against time, every run overlaid.
std::vector<TrendFigure> trendFigures(const Campaign& campaign,
                                      const std::vector<ReceiverTrend>& trends);

// The runs a trend needs before it is drawn.
inline constexpr std::size_t kTrendRuns = 3;

}  // namespace ambiscan::campaign
