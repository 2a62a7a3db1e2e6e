#pragma once

#include <cstddef>
#include <string>

#include "analysis/RunResults.hpp"
#include "evidence/Evidence.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// The horizontal limit a good fix stays within, metres.
inline constexpr double kHorizontalLimit = 0.12;

// The side of the scatter's square canvas, pixels: equal axes fill a square, and a third of
// the pixels of a full figure keeps what the report adds to a run small (it is drawn and
// encoded per data set, beside the run's own figures).
inline constexpr int kScatterSide = 600;

// East against North of every fix of one receiver on equal axes about the limit circle: good
// fixes as dots in the receiver's colour, bad fixes as black crosses (those beyond the axes
// counted in the legend), circles at the horizontal 50 % and 95 % errors (of the good fixes)
// and at the limit. Built in a model of its own holding only this figure.
graphics::Graphics horizontalScatter(const analysis::DataSetResults& dataSet,
                                     const evidence::DataSetEvidence& evidence,
                                     const graphics::Rgb& colour);

// The report's scatter of data set k of a run, in the data set's colour, with the horizontal
// 50 % and 95 % errors of its good fixes.
graphics::Graphics horizontalScatter(const analysis::RunResults& results, std::size_t k);

}  // namespace ambiscan::figures
