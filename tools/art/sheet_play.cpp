// gfx/play2.tga: balls, bursts, the board's glass, the buttons around the
// board, the background strip, the help bar and the game-over dialog.
#include "sheets.h"

#include "backdrop.h"
#include "ball_painter.h"
#include "palette.h"
#include "shapes.h"
#include "sheet_image.h"
#include "sidebar.h"

#include <cmath>

namespace art {

namespace {

using namespace layout;

Shader goldShade(float y0, float y1) {
    return [=](float, float y) {
        Color stops[] = {palette::kGoldLight, palette::kGold, palette::kGoldDeep};
        return ramp(stops, (y - y0) / (y1 - y0));
    };
}

// Faint grid lines between the cells and a sheen of glass from the top left.
Canvas boardOverlay() {
    Canvas c(kBoardOverlay.w(), kBoardOverlay.h());
    const int n = c.width();
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float sheen = clamp01(1 - (x + y) / 260.0f);
            float a = 0.10f * sheen * sheen;
            bool line = (x % 34 == 0 || y % 34 == 0) && x > 0 && y > 0 && x < 306 && y < 306;
            if (line) a += 0.07f;
            if (a > 0) c.blend(x, y, withAlpha(palette::kWhite, a));
        }
    // Small studs where the grid lines cross.
    for (int j = 1; j < 9; ++j)
        for (int i = 1; i < 9; ++i)
            paint(c, {34 * i - 3, 34 * j - 3, 7, 7}, disc(34 * i + 0.5f, 34 * j + 0.5f, 1.6f),
                  solid(withAlpha(palette::kIce, 0.28f)));
    return c;
}

Canvas slideArrow(bool left) {
    Canvas c(32, 33);
    auto flip = [left](float x) { return left ? x : 32 - x; };
    std::vector<Pt> tri{{flip(6), 16.5f}, {flip(23), 5.5f}, {flip(23), 27.5f}};
    Box all{0, 0, 32, 33};
    shadow(c, all, polygon(tri), 1, 2, 1.8f, withAlpha(palette::kNightDeep, 0.8f));
    paint(c, all, polygon(tri), goldShade(5.5f, 27.5f));
    std::vector<Pt> gloss{{flip(9), 15.5f}, {flip(21.5f), 7.5f}, {flip(21.5f), 15.5f}};
    paint(c, all, polygon(gloss), solid(withAlpha(palette::kWhite, 0.35f)));
    return c;
}

// A circular arrow around a tiny board of balls; clockwise unless mirrored.
Canvas spinButton(bool clockwise) {
    Canvas c(86, 67);
    const float cx = 43, cy = 34, r = 23.5f, half = 4.5f;
    const float start = 0.55f,
                end = 2 * static_cast<float>(M_PI) - 0.75f; // radians from the top, clockwise
    auto mx = [clockwise](float x) { return clockwise ? x : 86 - x; };
    Coverage arc = [=](float x, float y) {
        float dx = mx(x) - cx, dy = y - cy;
        float ang = std::atan2(dx, -dy);
        if (ang < 0) ang += 2 * static_cast<float>(M_PI);
        float radial = clamp01(half + 0.5f - std::abs(std::hypot(dx, dy) - r));
        float along = clamp01((ang - start) * r + 0.5f) * clamp01((end - ang) * r + 0.5f);
        return radial * along;
    };
    float ex = cx + r * std::sin(end), ey = cy - r * std::cos(end);
    float tx = std::cos(end), ty = std::sin(end);   // direction of travel
    float nx = std::sin(end), ny = -std::cos(end);  // outward
    const float bx = ex - tx * 3, by = ey - ty * 3; // the head swallows the arc's end
    std::vector<Pt> head{{mx(ex + tx * 12), ey + ty * 12},
                         {mx(bx + nx * 10.5f), by + ny * 10.5f},
                         {mx(bx - nx * 10.5f), by - ny * 10.5f}};
    Coverage headCover = polygon(head);
    Coverage arrow = [=](float x, float y) { return std::max(arc(x, y), headCover(x, y)); };
    Box all{0, 0, 86, 67};
    shadow(c, all, arrow, 1, 2, 2.0f, withAlpha(palette::kNightDeep, 0.85f));
    paint(c, all, arrow, goldShade(cy - r - half, cy + r + half));
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            paintBall(c, 1 + (i + 3 * j) % 7, cx - 8.5f + 8.5f * i, cy - 8.5f + 8.5f * j, 3.9f,
                      false);
    return c;
}

// The piece as the hovered button shows it: lit, over the field behind it.
Canvas hovered(const Canvas& piece, Point at, float glowRadius) {
    Canvas c = playBackgroundAt(at.x, at.y, piece.width(), piece.height());
    float cx = piece.width() / 2.0f, cy = piece.height() / 2.0f;
    paint(c, {0, 0, piece.width(), piece.height()}, disc(cx, cy, glowRadius),
          radial(cx, cy, glowRadius, glowRadius, withAlpha(palette::kGold, 0.45f),
                 withAlpha(palette::kGold, 0)));
    c.draw(piece, 0, 0);
    return c;
}

Canvas tutorialMark() {
    Canvas c(kTutorialMark.w(), kTutorialMark.h());
    const float cx = 18.5f, cy = 20;
    Box all{0, 0, c.width(), c.height()};
    shadow(c, all, ring(cx, cy, 12, 3), 0, 0, 2.5f, withAlpha(palette::kGold, 0.8f));
    paint(c, all, ring(cx, cy, 12, 3), solid(palette::kGoldLight));
    for (int i = 0; i < 4; ++i) {
        float a = static_cast<float>(M_PI) * (0.25f + 0.5f * i);
        paint(c, all,
              capsule(cx + 15 * std::cos(a), cy + 15 * std::sin(a), cx + 18 * std::cos(a),
                      cy + 18 * std::sin(a), 1.2f),
              solid(palette::kGoldLight));
    }
    paint(c, all, disc(cx, cy, 4), solid(palette::kWhite));
    return c;
}

// The help bar, painted whole over the screen span 170..622; its pieces
// overlap when drawn, so each end keeps only what the middles do not cover.
Canvas bottomBar() {
    Canvas c(452, 66);
    const float x0 = 2, x1 = 450, y0 = 2, y1 = 64;
    Box all{0, 0, 452, 66};
    shadow(c, all, roundRect(x0, y0, x1, y1, 10), 0, 1, 1.5f, withAlpha(palette::kNightDeep, 0.7f));
    paint(c, all, roundRect(x0, y0, x1, y1, 10), [=](float, float y) {
        // Opaque: where the pieces overlap on the screen they are drawn twice.
        return mix(rgb(0x1b3470), rgb(0x071230), clamp01((y - y0) / (y1 - y0)));
    });
    paint(c, all, roundRectFrame(x0, y0, x1, y1, 10, 1.2f), [=](float, float y) {
        return withAlpha(palette::kGold, 0.8f - 0.5f * clamp01((y - y0) / (y1 - y0)));
    });
    paint(c, all, roundRect(x0 + 2, y0 + 2, x1 - 2, y0 + 14, 8),
          solid(withAlpha(palette::kWhite, 0.05f)));
    return c;
}

Canvas messageBox() {
    Canvas c(355, 100);
    const float x0 = 2, x1 = 353, y0 = 1, y1 = 97;
    Box all{0, 0, 355, 100};
    shadow(c, all, roundRect(x0, y0, x1, y1, 12), 0, 1, 1.5f, withAlpha(palette::kBlack, 0.6f));
    paint(c, all, roundRect(x0, y0, x1, y1, 12), [=](float, float y) {
        return withAlpha(mix(rgb(0x1d3a7c), rgb(0x081433), clamp01((y - y0) / (y1 - y0))), 0.94f);
    });
    paint(c, all, roundRect(x0 + 3, y0 + 3, x1 - 3, 20, 9),
          solid(withAlpha(palette::kGold, 0.16f)));
    paint(c, all, roundRectFrame(x0, y0, x1, y1, 12, 1.6f), goldShade(y0, y1));
    return c;
}

// Drawn in sheet columns 285..352: the left end's corner, a middle that tiles,
// and the right end's corner.
Canvas nameField() {
    Canvas c(67, 26);
    const float x0 = 0, x1 = 64, y0 = 1, y1 = 25;
    Box all{0, 0, 67, 26};
    paint(c, all, roundRect(x0, y0, x1, y1, 2), [=](float, float y) {
        return withAlpha(mix(rgb(0x000000), rgb(0x0b1838), clamp01((y - y0) / (y1 - y0))), 0.85f);
    });
    paint(c, all, roundRectFrame(x0, y0, x1, y1, 2, 1), [=](float, float y) {
        return mix(withAlpha(palette::kNightDeep, 0.9f), withAlpha(palette::kIce, 0.7f),
                   clamp01((y - y0) / (y1 - y0)));
    });
    return c;
}

} // namespace

Image playSheet() {
    Image sheet{kPlaySize, kPlaySize, std::vector<std::uint8_t>(kPlaySize * kPlaySize * 4, 0)};
    for (int code = 1; code <= 8; ++code)
        putPiece(sheet, ball(code), ballTile(code));
    for (int f = 0; f < 3; ++f)
        putPiece(sheet, vanishFrame(f), vanishTile(f));
    putPiece(sheet, kBoardOverlay, boardOverlay());
    for (bool left : {true, false}) {
        Canvas arrow = slideArrow(left);
        for (int row = 0; row < 9; ++row) {
            Point at = left ? slideLeftAt(row) : slideRightAt(row);
            putHoverPiece(sheet, left ? slideLeft(row) : slideRight(row), hovered(arrow, at, 15),
                          arrow);
        }
    }
    for (bool cw : {false, true}) {
        Canvas spin = spinButton(cw);
        putHoverPiece(sheet, cw ? kSpinCw : kSpinCcw,
                      hovered(spin, cw ? kSpinCwAt : kSpinCcwAt, 33), spin);
    }
    Canvas unlit = sidebar(0, false), lit = sidebar(0, true);
    putPiece(sheet, kLowerLeftPanel, unlit, kLowerLeftPanelAt.x, kLowerLeftPanelAt.y);
    for (int i = 0; i < 3; ++i)
        putPiece(sheet, litButton(i), lit, litButtonAt(i).x, litButtonAt(i).y);
    putPiece(sheet, kBackgroundStrip, playBackgroundAt(kStripFirstX, 0, 32, 480));

    Canvas bar = bottomBar();
    const int barX = kBarLeftAt.x;
    Canvas leftEnd = bar.crop(0, 0, 66, 66), rightEnd = bar.crop(kBarRightAt.x - barX, 0, 66, 66);
    for (int y = 0; y < 66; ++y) {
        for (int x = kBarMiddleFirstX - barX; x < 66; ++x)
            leftEnd.fade(x, y, 0);
        // Column 0 is also the middle piece's last column in the sheet.
        for (int x = 1; x < kBarMiddleFirstX + 6 * 66 - kBarRightAt.x; ++x)
            rightEnd.fade(x, y, 0);
    }
    putPiece(sheet, kBarLeft, leftEnd);
    putPiece(sheet, kBarMiddle, bar, kBarMiddleFirstX - barX, 0);
    putPiece(sheet, kBarRight, rightEnd);

    putPiece(sheet, kTutorialMark, tutorialMark());
    Canvas box = messageBox();
    putPiece(sheet, kMessageLeft, box, 0, 0);
    putPiece(sheet, kMessageMiddle, box, kMessageMiddleFirstX - kMessageLeftAt.x, 0);
    putPiece(sheet, kMessageRight, box, kMessageRightAt.x - kMessageLeftAt.x, 0);
    // The field's three pieces overlap in the sheet, so it is painted once.
    putPiece(sheet, {kFieldLeft.x1, kFieldLeft.y1, kFieldRight.x2, kFieldLeft.y2}, nameField());
    return sheet;
}

} // namespace art
