#include "menu_art.h"

#include "ball_painter.h"
#include "game/sheet_layout.h"
#include "palette.h"
#include "plates.h"
#include "rng.h"
#include "shapes.h"
#include "text_render.h"
#include "title.h"

#include <cmath>

namespace art {

namespace {

using namespace layout;

// back.jpg pixel of a screen position.
constexpr int bx(int screenX) {
    return screenX - kBackAt.x;
}
constexpr int by(int screenY) {
    return screenY - kBackAt.y;
}

constexpr const char* kDifficultyLabels[] = {"", "LEVEL:  EASY", "LEVEL:  AVERAGE", "LEVEL:  HARD"};

// Item bands of the menu picture and where each lit pill sits.
struct ItemBand {
    int top, pillTop, pillBottom;
};
constexpr ItemBand kBands[] = {{0, 6, 26}, {34, 44, 60}, {64, 70, 90}, {96, 102, 122}};

void sky(Canvas& c) {
    const int w = c.width(), h = c.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float sx = static_cast<float>(x + kBackAt.x), sy = static_cast<float>(y + kBackAt.y);
            float dx = (sx - 320) / 340, dy = (sy - 190) / 300;
            Color col =
                mix(rgb(0x1f3f8c), palette::kNightBottom, clamp01(std::sqrt(dx * dx + dy * dy)));
            c.set(x, y, col);
        }
    // Out-of-focus lights drifting behind the title.
    Rng rng(20261206);
    for (int i = 0; i < 34; ++i) {
        float x = rng.range(0, static_cast<float>(w)), y = rng.range(70, 440), r = rng.range(5, 26);
        int code = 1 + static_cast<int>(rng.next() * 7);
        Color tint = mix(palette::kBall[code], palette::kIce, 0.5f);
        float a = rng.range(0.05f, 0.16f);
        Box area{static_cast<int>(x - r) - 2, static_cast<int>(y - r) - 2,
                 static_cast<int>(2 * r) + 5, static_cast<int>(2 * r) + 5};
        // Brighter towards the rim, with a soft edge, like a light out of focus.
        paint(
            c, area,
            [=](float px, float py) { return clamp01((r - std::hypot(px - x, py - y)) / 2.5f); },
            radial(x, y, r, r, withAlpha(tint, a * 0.55f), withAlpha(tint, a)));
    }
}

// Black bands at the top and bottom (the credit line, the splash and the
// caption are drawn there) and dark side edges, faded into the picture.
void bands(Canvas& c) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            int sy = y + kBackAt.y;
            float top = smoothstep(80, 118, static_cast<float>(sy));
            float bottom = 1 - smoothstep(432, 446, static_cast<float>(sy));
            float side = smoothstep(0, 40, static_cast<float>(std::min(x, c.width() - 1 - x)));
            float keep = top * bottom * side;
            if (keep < 1) c.fade(x, y, keep);
            if (sy < 80 || sy >= 446) c.set(x, y, palette::kBlack);
        }
    // Everything is opaque: the faded parts show black beneath.
    Canvas under(c.width(), c.height(), palette::kBlack);
    under.draw(c, 0, 0);
    c = under;
}

void menuPlate(Canvas& c, int ox, int oy) {
    paintPlate(c, ox + 3.5f, oy + 1.5f, ox + 252.5f, oy + 126.5f, 14, false);
    paint(c, {ox, oy, 256, 128}, roundRect(ox + 5.0f, oy + 3.0f, ox + 251.0f, oy + 125.0f, 12),
          solid(withAlpha(palette::kNightDeep, 0.35f)));
}

void items(Canvas& c, int ox, int oy, int litItem, int difficulty) {
    const char* labels[] = {"NEW GAME", kDifficultyLabels[difficulty], "ONLINE HIGHSCORES", "QUIT"};
    for (int i = 0; i < 4; ++i) {
        const ItemBand& b = kBands[i];
        bool lit = litItem == i + 1;
        if (lit)
            paintPlate(c, ox + 26.5f, oy + b.pillTop + 0.5f, ox + 229.5f, oy + b.pillBottom - 0.5f,
                       (b.pillBottom - b.pillTop) / 2.0f - 1, true);
        int baseline = oy + (b.pillTop + b.pillBottom) / 2 + 5;
        paintLabel(c, labels[i], 14.5f, ox, ox + 256, baseline, lit);
    }
    for (int i = 1; i < 4; ++i) {
        float y = oy + (kBands[i - 1].pillBottom + kBands[i].pillTop) / 2.0f + 0.5f;
        paintHairline(c, ox + 60.0f, ox + 196.0f, y, 0.25f);
    }
}

void decoration(Canvas& c) {
    // A soft light behind the name.
    const float cx = static_cast<float>(bx(320)), cy = static_cast<float>(by(196));
    paint(
        c, {0, 0, c.width(), c.height()}, [](float, float) { return 1.0f; },
        radial(cx, cy, 280, 95, withAlpha(rgb(0x4f7fe0), 0.35f), withAlpha(rgb(0x4f7fe0), 0)));
    paintTitle(c, static_cast<float>(bx(320)), static_cast<float>(by(222)), 62);
    for (int code = 1; code <= 8; ++code) {
        float x = static_cast<float>(bx(320)) + (code - 4.5f) * 27;
        paintBall(c, code, x, static_cast<float>(by(266)), 10.5f, false);
    }
}

// The background with the empty plate, painted once.
const Canvas& scene() {
    static const Canvas c = [] {
        Canvas s(kBackWidth, kBackHeight);
        sky(s);
        decoration(s);
        bands(s);
        menuPlate(s, bx(kMenuPlateOnScreen.x1), by(kMenuPlateOnScreen.y1));
        return s;
    }();
    return c;
}

} // namespace

Canvas menuBackgroundArt() {
    Canvas c = scene();
    items(c, bx(kMenuPlateOnScreen.x1), by(kMenuPlateOnScreen.y1), 0, 1);
    return c;
}

Canvas menuItems(int litItem, int difficulty) {
    Canvas c = scene().crop(bx(kMenuPlateOnScreen.x1), by(kMenuPlateOnScreen.y1), 256, 128);
    items(c, 0, 0, litItem, difficulty);
    return c;
}

} // namespace art
