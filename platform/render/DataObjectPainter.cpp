#include "platform/render/DataObjectPainter.hpp"

#include "platform/render/MarkerStamp.hpp"

namespace ambiscan::render {

std::unique_ptr<DataObjectPainter> dataPainterFor(cairo_t* cr) {
    if (MarkerStamp::canStamp(cr)) {
        return std::make_unique<RasterDataPainter>(cr);
    }
    return std::make_unique<CairoDataPainter>(cr);
}

}  // namespace ambiscan::render
