// gfx/font2.jpg: the large font (white to gold on black) and the pieces of
// the play screen's left column, the board's well and the menu's
// difficulty labels that share its sheet.
#include "sheets.h"

#include "board_well.h"
#include "glyph_cells.h"
#include "game/sheet_layout.h"
#include "menu_art.h"
#include "palette.h"
#include "sheet_image.h"
#include "sidebar.h"

namespace art {

namespace {

using namespace layout;

// Capitals stand 15 rows tall from the cell's top; descenders go below.
constexpr int kBaseline = 15;
constexpr float kSize = 20;

Shader brightGold(int top) {
    return [top](float, float y) {
        Color stops[] = {palette::kWhite, palette::kGoldLight, palette::kGold, rgb(0xe09a2a)};
        return ramp(stops, (y - top) / 16.0f);
    };
}

// "#" and "@" are the volume ticks of the options column: small lit bars.
Canvas tick(const GlyphRec& g, Color top, Color bottom) {
    const int w = g.x2 - g.x1, h = g.y2 - g.y1;
    Canvas c(w, h, palette::kBlack);
    Box all{0, 0, w, h};
    paint(c, all, roundRect(0.5f, 0.5f, w - 0.5f, h - 0.5f, 2.5f), linear(0, 0, top, 0, h, bottom));
    paint(c, all, roundRect(1.5f, 1.5f, w / 2.0f, h - 2.0f, 1.5f),
          solid(withAlpha(palette::kWhite, 0.3f)));
    return c;
}

// The game-speed bar: five segments, the first five pixels longer, cut after
// the segment of the chosen speed; cool to hot.
Canvas speedSegments() {
    const Rect full = speedBar(5);
    Canvas c(full.w(), full.h(), palette::kBlack);
    const Color ramp5[] = {rgb(0x35d0ff), rgb(0x3ee08a), rgb(0xffe04a), rgb(0xff9a2a),
                           rgb(0xff4a3a)};
    for (int s = 1; s <= 5; ++s) {
        float x0 = (s == 1 ? 0 : speedBar(s - 1).x2 - full.x1) + 1.5f,
              x1 = speedBar(s).x2 - full.x1 - 1.5f;
        Color base = ramp5[s - 1];
        paint(c, {0, 0, c.width(), c.height()}, roundRect(x0, 0.5f, x1, full.h() - 0.5f, 3),
              linear(0, 0, mix(base, palette::kWhite, 0.2f), 0, full.h(), scaled(base, 0.55f)));
        paint(c, {0, 0, c.width(), c.height()}, roundRect(x0 + 1.5f, 1.5f, x1 - 1.5f, 7, 2),
              solid(withAlpha(palette::kWhite, 0.35f)));
    }
    return c;
}

} // namespace

Image largeFontSheet() {
    Canvas sheet(kFontSheetSize, kFontSheetSize, palette::kBlack);
    const CellStyle style{&sansBold(), {kSize, 1, 0, false}, kBaseline, 0};
    for (const GlyphRec* g = LargeFontGlyphs; g->ch; ++g) {
        if (g->ch == ' ') continue;
        Canvas cell(g->x2 - g->x1, g->y2 - g->y1, palette::kBlack);
        if (g->ch == '#')
            cell = tick(*g, palette::kGoldLight, palette::kGoldDeep);
        else if (g->ch == '@')
            cell = tick(*g, rgb(0xc8f0ff), rgb(0x1f7fd0));
        else
            paintMask(cell, glyphInCell(*g, style), 0, 0, brightGold(0));
        sheet.copy(cell, 0, 0, cell.width(), cell.height(), g->x1, g->y1);
    }
    Canvas bar = speedSegments();
    sheet.copy(bar, 0, 0, bar.width(), bar.height(), speedBar(5).x1, speedBar(5).y1);

    Image img = toImage(sheet);
    putPiece(img, kDifficultyAverage, menuItems(0, 2), 0, kMenuDifficultyTextTop);
    putPiece(img, kDifficultyHard, menuItems(0, 3), 0, kMenuDifficultyTextTop);
    const int litTop = kDifficultyLitAt.y - kMenuAt.y;
    putPiece(img, kDifficultyLitAverage, menuItems(2, 2), 0, litTop);
    putPiece(img, kDifficultyLitHard, menuItems(2, 3), 0, litTop);
    for (int mode = 1; mode <= 3; ++mode)
        putPiece(img, modeBox(mode), sidebar(mode, false));
    putPiece(img, kOptionsPanel, sidebar(0, false), kOptionsPanelAt.x, kOptionsPanelAt.y);
    putPiece(img, kBoardWell, boardWell());
    return img;
}

} // namespace art
