// gfx/select.jpg: the mode-selection screen's pictures, names, titles and
// back button, all on the screen's black.
#include "sheets.h"

#include "ball_painter.h"
#include "game/sheet_layout.h"
#include "palette.h"
#include "plates.h"
#include "sheet_image.h"
#include "shapes.h"
#include "text_render.h"

#include <cmath>

namespace art {

namespace {

using namespace layout;

constexpr const char* kNames[] = {"", "TIME ATTACK", "TOP SCORE", "PUZZLE"};
constexpr float kPi = static_cast<float>(M_PI);

void clockIcon(Canvas& c, float cx, float cy, float r) {
    Box area{static_cast<int>(cx - r) - 6, static_cast<int>(cy - r) - 6,
             static_cast<int>(2 * r) + 13, static_cast<int>(2 * r) + 13};
    shadow(c, area, disc(cx, cy, r), 2, 3, 3, withAlpha(palette::kBlack, 0.6f));
    paint(c, area, disc(cx, cy, r),
          linear(cx, cy - r, palette::kGoldLight, cx, cy + r, palette::kGoldDeep));
    paint(c, area, disc(cx, cy, r - 4), radial(cx - 5, cy - 6, r, r, rgb(0xffffff), rgb(0xd8e4f4)));
    for (int i = 0; i < 12; ++i) {
        float a = kPi * i / 6, l = (i % 3) ? 3.0f : 5.5f;
        paint(c, area,
              capsule(cx + (r - 7) * std::sin(a), cy - (r - 7) * std::cos(a),
                      cx + (r - 7 - l) * std::sin(a), cy - (r - 7 - l) * std::cos(a), 0.8f),
              solid(rgb(0x1a2a55)));
    }
    paint(c, area, capsule(cx, cy, cx + r * 0.42f, cy - r * 0.2f, 1.8f), solid(rgb(0x1a2a55)));
    paint(c, area, capsule(cx, cy, cx - r * 0.15f, cy - r * 0.62f, 1.3f), solid(rgb(0x1a2a55)));
    paint(c, area, capsule(cx, cy, cx + r * 0.3f, cy + r * 0.55f, 0.6f), solid(rgb(0xe8302c)));
    paint(c, area, disc(cx, cy, 2.2f), solid(rgb(0xe8302c)));
}

void starIcon(Canvas& c, float cx, float cy, float r) {
    Box area{static_cast<int>(cx - r) - 6, static_cast<int>(cy - r) - 6,
             static_cast<int>(2 * r) + 13, static_cast<int>(2 * r) + 13};
    Coverage star = polygon(starPoints(cx, cy, r, r * 0.45f, 5));
    shadow(c, area, star, 0, 0, 5, withAlpha(palette::kGold, 0.6f));
    paint(c, area, star,
          linear(cx - r, cy - r, palette::kGoldLight, cx + r, cy + r, palette::kGoldDeep));
    paint(c, area, polygon(starPoints(cx, cy, r * 0.55f, r * 0.25f, 5)),
          solid(withAlpha(palette::kWhite, 0.35f)));
}

void picture(Canvas& c, int mode) {
    const Color tints[] = {{}, rgb(0xc0392b), rgb(0x1e8a6a), rgb(0x6a3bb8)};
    const float w = static_cast<float>(c.width()), h = static_cast<float>(c.height());
    Box all{0, 0, c.width(), c.height()};
    Coverage plate = roundRect(3, 3, w - 3, h - 3, 14);
    paint(c, all, plate, [&](float x, float y) {
        float d = clamp01(std::hypot((x - w * 0.3f) / w, (y - h * 0.25f) / h) * 1.3f);
        return mix(mix(tints[mode], palette::kWhite, 0.15f), scaled(tints[mode], 0.3f), d);
    });
    if (mode == 1) {
        clockIcon(c, 56, 56, 33);
        paintBall(c, 1, 112, 36, 13, true);
        paintBall(c, 3, 128, 66, 13, true);
        paintBall(c, 2, 104, 84, 13, true);
    } else if (mode == 2) {
        // A star over a row of balls, the precious black one in the middle.
        starIcon(c, 79, 44, 32);
        const int codes[] = {4, 5, 8, 6, 7};
        for (int i = 0; i < 5; ++i)
            paintBall(c, codes[i], 31 + 24.0f * i, i == 2 ? 88.0f : 91.0f, 9.5f, true);
    } else {
        // A small board with its middle row pushed one cell to the right.
        const int codes[3][4] = {{1, 6, 3, 4}, {7, 2, 2, 2}, {5, 4, 1, 6}};
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                paintBall(c, codes[row][col], 34 + 25.0f * col + (row == 1 ? 10 : 0),
                          27 + 27.0f * row, 11.5f, true);
        paint(c, all, polygon({{151, 54}, {141, 46}, {141, 62}}), solid(palette::kGoldLight));
    }
    paint(c, all, roundRect(5, 5, w - 5, h * 0.42f, 12), solid(withAlpha(palette::kWhite, 0.07f)));
    paint(c, all, roundRectFrame(3, 3, w - 3, h - 3, 14, 1.5f),
          linear(0, 0, palette::kGoldLight, w, h, palette::kGoldDeep));
}

// A mode's name as it stands on the screen; `top` is its screen row.
Canvas name(int mode, bool lit, int top) {
    const int nameTop = modeNameAt(mode).y;
    Canvas c(354, 46, palette::kBlack);
    const float y0 = static_cast<float>(nameTop + 5 - top),
                y1 = static_cast<float>(nameTop + 31 - top);
    paintPlate(c, 8, y0, 346, y1, 12, lit);
    TextMask t = sansBold().render(kNames[mode], {19, 1, 1.5f, false});
    int pen = centredPen(t, 0, 354), base = static_cast<int>((y0 + y1) / 2 + 7);
    if (lit) {
        drawText(c, t, pen, base + 1, solid(withAlpha(palette::kGoldLight, 0.8f)));
        drawText(c, t, pen, base, solid(rgb(0x1a1440)));
    } else {
        drawTextGlow(c, t, pen + 1, base + 2, 1.2f, withAlpha(palette::kBlack, 0.9f));
        drawText(c, t, pen, base, linear(0, y0 + 5, palette::kWhite, 0, y1 - 6, palette::kGold));
    }
    return c;
}

Canvas title(const char* text, int w, int h) {
    Canvas c(w, h, palette::kBlack);
    // As large as fits with a ball at each end of the line.
    const float ballGap = 20, ballR = 8;
    float size = 28;
    TextMask t = sansBold().render(text, {size, 1, 1.2f, false});
    while (t.inkRight - t.inkLeft + 2 * (ballGap + ballR) > w - 8) {
        size -= 0.5f;
        t = sansBold().render(text, {size, 1, 1.2f, false});
    }
    int pen = centredPen(t, 0, w), base = h / 2 + 10;
    drawTextGlow(c, t, pen, base, 5, withAlpha(palette::kGold, 0.45f));
    Color stops[] = {palette::kWhite, palette::kGoldLight, palette::kGold, palette::kGoldDeep};
    drawText(c, t, pen, base,
             [=](float, float y) { return ramp(stops, (y - (base - 20)) / 22.0f); });
    const float ballY = base - sansBold().capHeight(size) / 2;
    paintBall(c, 1, pen + t.inkLeft - ballGap, ballY, ballR, false);
    paintBall(c, 6, pen + t.inkRight + ballGap, ballY, ballR, false);
    // The title zooms in and out on the black screen: its edges must stay black.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) c.set(x, y, palette::kBlack);
    return c;
}

Canvas backButton(bool lit) {
    Canvas c(kBackButton.w(), kBackButtonLit.h(), palette::kBlack);
    paintPlate(c, 136.5f, 5.5f, 375.5f, 22.5f, 8.5f, lit);
    paintLabel(c, "BACK TO THE MAIN MENU", 11.5f, 0, 512, 18, lit);
    return c;
}

} // namespace

Image selectSheet() {
    Image sheet = toImage(Canvas(kSelectSize, kSelectSize, palette::kBlack));
    for (int mode = 1; mode <= 3; ++mode) {
        Rect r = modePicture(mode);
        Canvas pic(r.w(), r.h(), palette::kBlack);
        picture(pic, mode);
        putPiece(sheet, r, pic);
        putPiece(sheet, modeName(mode), name(mode, false, modeNameAt(mode).y));
        putPiece(sheet, modeNameLit(mode), name(mode, true, modeNameLitAt(mode).y));
    }
    putPiece(sheet, kTitle0, title("CHOOSE YOUR GAME", kTitle0.w(), kTitle0.h()));
    putPiece(sheet, kTitle1, title("SLIDE, TURN AND MATCH!", kTitle1.w(), kTitle1.h()));
    putPiece(sheet, kBackButton, backButton(false));
    putPiece(sheet, kBackButtonLit, backButton(true));
    return sheet;
}

} // namespace art
