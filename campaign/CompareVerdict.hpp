#pragma once

#include <string>

#include "campaign/Campaign.hpp"

namespace ambiscan::campaign {

// The sentence on one receiver of another run against the baseline, in the style of the run
// report: the time to a correct fix (the Mann-Whitney test's direction, the Hodges-Lehmann shift
// over the correct fixes, the correct-fix rates) and reliability (the difference in points with
// its interval), each with its Holm-adjusted p. A non-significant clause gives the interval and
// never reads as "equal"; an effect that cannot be given is said in words.
std::string compareVerdict(const ReceiverComparison& comparison, const Campaign& campaign);

}  // namespace ambiscan::campaign
