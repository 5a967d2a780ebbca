// The screen state every draw relies on: its size, the clear colour and the
// 2D world view. One GL unit is one screen pixel; GL's y runs upwards.
#include "framework/display/KGraphic.h"
#include "framework/display/recorded_frame.h"

int16_t KGraphic::screenWidth = 0;
int16_t KGraphic::screenHeight = 0;
int16_t KGraphic::screenDepth = 0;

namespace {

float clearColour[4] = {0, 0, 0, 1};

// Zoom and turn about the screen centre (halves in whole pixels).
platform::View CentredView(float angle, float zoom) {
    platform::View view;
    view.pivotX = static_cast<float>(KGraphic::screenWidth / 2);
    view.pivotY = static_cast<float>(KGraphic::screenHeight / 2);
    view.angle = angle;
    view.zoom = zoom;
    return view;
}

} // namespace

void KGraphic::SetScreenSize(int16_t width, int16_t height, int16_t depth) {
    screenWidth = width;
    screenHeight = height;
    screenDepth = depth;
    recorded_frame::SetSize(width, height);
    SetTextureFilter(false);
}

void KGraphic::SetClearColor(float red, float green, float blue, float alpha) {
    clearColour[0] = red;
    clearColour[1] = green;
    clearColour[2] = blue;
    clearColour[3] = alpha;
}

void KGraphic::SetWorldView(float x, float y, float angle, float zoom, bool clear) {
    platform::View view = CentredView(angle, zoom);
    view.postX = x;
    view.postY = y;
    recorded_frame::SetView(view);
    if (clear) recorded_frame::AppendClear(clearColour);
}

void KGraphic::SetShiftedWorldView(float x, float y, float angle, float zoom) {
    platform::View view = CentredView(angle, zoom);
    view.preX = x;
    view.preY = y;
    recorded_frame::SetView(view);
}

void KGraphic::ResetWorldView() {
    SetWorldView(0, 0, 0, 1, false);
}
