#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include "platform/render/Print.hpp"

namespace ambiscan::render {

void releaseRenderResources() {
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace ambiscan::render
