#pragma once

#include <nlohmann/json.hpp>

#include "campaign/Campaign.hpp"
#include "campaign/Trends.hpp"

namespace ambiscan::campaign {

using Json = nlohmann::ordered_json;

inline constexpr const char* kCompareSchema = "ambiscan-compare/1";

// The "ambiscan-compare/1" object of compare.json: the runs, every comparison with its
// numbers and verdict, the unmatched receivers, and the trend of each baseline receiver.
// Numbers that are not finite are null (a bound not reached within 500 s says so beside it).
Json compareJson(const Campaign& campaign, const std::vector<ReceiverTrend>& trends);

}  // namespace ambiscan::campaign
