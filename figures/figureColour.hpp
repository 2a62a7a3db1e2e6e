#pragma once

#include <cstddef>

#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::figures {

// The colour of 0-based data set i in the summary figures, as a red, green, blue row of the
// colour table.
Matrix dataSetColour(std::size_t i);

// The same colour for the report's scatter, the table read round for any data set.
graphics::Rgb scatterColour(std::size_t i);

}  // namespace ambiscan::figures
