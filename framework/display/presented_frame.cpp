#include "framework/display/presented_frame.h"

#include "framework/display/gl_api.h"
#include "framework/platform/platform_window.h"

#include <cstddef>

namespace presented_frame {
namespace {

struct Copy {
    std::vector<uint8_t> rgba; // rows from the bottom of the screen upwards
    int width = 0, height = 0;
} FRAME;

} // namespace

void Keep(int width, int height) {
    if (width <= 0 || height <= 0) return;
    FRAME.rgba.resize(static_cast<size_t>(width) * height * 4);
    glReadBuffer(platform::DrawnFrameReadBuffer());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, FRAME.rgba.data());
    FRAME.width = width;
    FRAME.height = height;
}

bool Read(int width, int height, std::vector<uint8_t>& rgbaBottomUp) {
    if (FRAME.rgba.empty() || width != FRAME.width || height != FRAME.height) return false;
    rgbaBottomUp = FRAME.rgba;
    return true;
}

void Release() {
    FRAME = Copy{};
}

} // namespace presented_frame
