// The screen state every draw relies on: its size, the clear colour and the
// 2D world view. One GL unit is one screen pixel; GL's y runs upwards.
#include "framework/display/KGraphic.h"
#include "framework/display/gl_api.h"

int16_t KGraphic::screenWidth = 0;
int16_t KGraphic::screenHeight = 0;
int16_t KGraphic::screenDepth = 0;

void KGraphic::SetScreenSize(int16_t width, int16_t height, int16_t depth) {
    screenWidth = width;
    screenHeight = height;
    screenDepth = depth;
    SetTextureFilter(false);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_FLAT);
}

void KGraphic::SetClearColor(float red, float green, float blue, float alpha) {
    glClearColor(red, green, blue, alpha);
}

void KGraphic::SetWorldView(float x, float y, float angle, float zoom, bool clear) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, screenWidth, 0, screenHeight, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Zoom and turn about the screen centre (halves in whole pixels), after
    // the scene offset.
    const int halfWidth = screenWidth / 2;
    const int halfHeight = screenHeight / 2;
    glTranslatef(static_cast<float>(halfWidth), static_cast<float>(halfHeight), 0);
    glRotatef(angle, 0, 0, 1);
    glScalef(zoom, zoom, 0);
    glTranslatef(static_cast<float>(-halfWidth), static_cast<float>(-halfHeight), 0);
    glTranslatef(x, y, 0);
    glDisable(GL_DEPTH_TEST);
    if (clear) glClear(GL_COLOR_BUFFER_BIT);
}

void KGraphic::ResetWorldView() {
    SetWorldView(0, 0, 0, 1, false);
}
