#include "figures/figureColour.hpp"

#include "plotsupport/setColourCodes.hpp"

namespace ambiscan::figures {

Matrix dataSetColour(std::size_t i) {
    const Matrix colour_LUT = plotsupport::setColourCodes();
    return Matrix::row({colour_LUT(i, 0), colour_LUT(i, 1), colour_LUT(i, 2)});
}

graphics::Rgb scatterColour(std::size_t i) {
    const Matrix colours = plotsupport::setColourCodes();
    const std::size_t row = i % colours.rows();
    return {colours(row, 0), colours(row, 1), colours(row, 2)};
}

}  // namespace ambiscan::figures
