#include "sidebar.h"

#include "backdrop.h"
#include "ball_painter.h"
#include "game/sheet_layout.h"
#include "palette.h"
#include "plates.h"
#include "shapes.h"
#include "text_render.h"

namespace art {

namespace {

constexpr const char* kModeNames[] = {"", "TIME ATTACK", "TOP SCORE", "PUZZLE"};
constexpr const char* kValueNames[] = {"", "TIME LEFT", "YOUR POINTS", "LEVEL"};

// A black well with a thin rim: large text (opaque black glyph cells) sits in it.
void blackWell(Canvas& c, float x0, float y0, float x1, float y1, float radius) {
    Box area{static_cast<int>(x0) - 4, static_cast<int>(y0) - 4, static_cast<int>(x1 - x0) + 9,
             static_cast<int>(y1 - y0) + 9};
    paint(c, area, roundRect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, radius + 1), [=](float, float y) {
        return mix(withAlpha(palette::kNightDeep, 0.9f), withAlpha(palette::kGold, 0.7f),
                   clamp01((y - y0) / (y1 - y0)));
    });
    paint(c, area, roundRect(x0, y0, x1, y1, radius), solid(palette::kBlack));
}

void modeBox(Canvas& c, int mode) {
    paintGoldText(c, kModeNames[mode], 15, 0, 147, 27, 2.5f);
    paintHairline(c, 18, 130, 36);
    TextMask t = sans().render(kValueNames[mode], {9.5f, 1, 0.8f, true});
    drawText(c, t, centredPen(t, 0, 147), 56, solid(withAlpha(palette::kIce, 0.85f)));
    blackWell(c, 14, 68, 134, 95, 5);
}

void optionsPanel(Canvas& c) {
    // The header bar doubles as the frame of the counter box on the top edge,
    // whose middle is stretched: its rim must not vary along x.
    const float y0 = 106, y1 = 131;
    Box area{8, 104, 134, 30};
    paint(c, area, roundRect(10, y0, 138, y1, 2.5f), [=](float, float y) {
        Color stops[] = {palette::kGoldLight, palette::kGold, palette::kGoldDeep};
        return ramp(stops, (y - y0) / (y1 - y0));
    });
    paint(c, area, roundRect(12, y0 + 2, 136, y1 - 2, 1.5f), solid(palette::kBlack));
    for (int track = 0; track < 3; ++track)
        blackWell(c, 21, 146 + 50 * track, 127, 172 + 50 * track, 4);
}

void lowerPanel(Canvas& c, bool lit) {
    const char* labels[] = {"TUTORIAL", "RESTART", "QUIT"};
    for (int i = 0; i < 3; ++i) {
        layout::Point at = layout::litButtonAt(i);
        paintPlate(c, at.x + 1.5f, at.y + 1.5f, at.x + 118.5f, at.y + 23.5f, 7, lit);
        paintLabel(c, labels[i], 11, at.x, at.x + 120, at.y + 17, lit);
    }
    // The game's emblem under the buttons: three balls and the name.
    paintBall(c, 1, 50, 428, 9.5f, false);
    paintBall(c, 4, 74, 422, 11.5f, false);
    paintBall(c, 6, 98, 428, 9.5f, false);
    paintGoldText(c, "ORBOLO", 14, 0, 147, 461, 2);
}

} // namespace

Canvas sidebar(int mode, bool litButtons) {
    // One row more than the screen: the lower panel's piece is 171 rows tall.
    Canvas c(150, 481);
    for (int y = 0; y < 481; ++y)
        for (int x = 0; x < 150; ++x)
            c.set(x, y, sidebarBackground(x, y));
    for (float y : {102.0f, 307.0f})
        paintHairline(c, 6, 142, y, 0.35f);
    if (mode > 0) modeBox(c, mode);
    optionsPanel(c);
    lowerPanel(c, litButtons);
    return c;
}

} // namespace art
