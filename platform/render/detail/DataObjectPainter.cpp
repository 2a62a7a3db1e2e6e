#include "platform/render/detail/DataObjectPainter.hpp"

#include <cstdlib>
#include <string_view>

#include "platform/render/detail/MarkerStamp.hpp"

namespace ambiscan::render {

namespace {

// The plain painter everywhere: in a build made with AMBISCAN_PLAIN_PAINTER, or in a run with
// AMBISCAN_PAINTER=plain in its environment (the tests compare whole figures both ways).
bool plainPainterOnly() {
#ifdef AMBISCAN_PLAIN_PAINTER
    return true;
#else
    static const bool plain = [] {
        const char* painter = std::getenv("AMBISCAN_PAINTER");
        return painter != nullptr && std::string_view(painter) == "plain";
    }();
    return plain;
#endif
}

}  // namespace

std::unique_ptr<DataObjectPainter> dataPainterFor(cairo_t* cr) {
    if (!plainPainterOnly() && MarkerStamp::canStamp(cr)) {
        return std::make_unique<RasterDataPainter>(cr);
    }
    return std::make_unique<CairoDataPainter>(cr);
}

}  // namespace ambiscan::render
