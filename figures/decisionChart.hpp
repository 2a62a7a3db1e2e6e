#pragma once

#include <string>

#include "evidence/SequentialRun.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// How far a decision chart reaches: past the decision by a quarter of it (at least ten
// attempts) so that the limits are seen to go on, never past the attempts there are, and at
// most this many attempts (the limits are walked one attempt at a time).
inline constexpr std::size_t kDecisionChartMost = 20000;
std::size_t decisionChartEnd(const evidence::SequentialGate& gate);

// What a gate's event is called on the chart's axis: "Bad fixes" or
// "Attempts not fixed within 30 s".
std::string eventName(const evidence::SequentialGateRun& gate);

// One receiver's sequential test: its events against attempts as a line in its colour, the
// PASS limit (most events that still pass) and the FAIL limit (least events that fail) as
// dashed steps, and the decision marked where it fell. Built in a model of its own.
graphics::Graphics decisionChart(const evidence::SequentialGateRun& gate, std::size_t k,
                                 const std::string& name, const evidence::DecisionPath& path,
                                 const graphics::Rgb& colour);

}  // namespace ambiscan::figures
