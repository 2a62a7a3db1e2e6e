#pragma once

#include "platform/numeric/Matrix.hpp"

namespace ambiscan::plotsupport {

// The 38 x 3 colour table of the data sets (red, green, blue fractions); row i colours data set i.
Matrix setColourCodes();

}  // namespace ambiscan::plotsupport
