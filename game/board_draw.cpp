#include "game/board_draw.h"

#include "framework/display/KGraphic.h"
#include "game/rules/game_state.h"
#include "game/sprite_table.h"

namespace {

constexpr int kSheet = 6; // the play screen's sheet holds the ball atlas

KGraphic* Atlas() {
    return spriteTable[kSheet].image;
}

int16_t CellX(int column) {
    return static_cast<int16_t>(164 + 34 * column);
}
int16_t CellY(int row) {
    return static_cast<int16_t>(86 + 34 * row);
}

// Left edge of the atlas column that holds this code.
float AtlasColumn(int16_t code) {
    return code <= 5 ? 385.0f : 425.0f;
}

void DrawBall(int16_t code, int16_t x, int16_t y) {
    if (code < 1 || code > 8) return;
    AtlasRect r = BallAtlasRect(code);
    Atlas()->BlitAlpha(r.x1, r.y1, r.x2, r.y2, x, y, false, false);
}

void DrawBurst(int16_t x, int16_t y) {
    float top = 200.0f + 40.0f * board.animStep;
    Atlas()->BlitAlpha(385, top, 425, top + 40, x, y, false, false);
}

bool InSlidingRow(int row) {
    return row == board.slideLeftRow || row == board.slideRightRow;
}

} // namespace

AtlasRect BallAtlasRect(int16_t code) {
    if (code <= 5) return {385, 40.0f * (code - 1), 425, 40.0f * code};
    return {425, 40.0f * (code - 6), 465, 40.0f * (code - 5)};
}

void SetBoardTransform() {
    // The board turns and zooms about its own centre, 76 pixels right of
    // the screen's.
    KGraphic::SetShiftedWorldView(76, 0, board.spinAngle, board.boardZoom);
}

void DrawBoardCells() {
    if (!Atlas()) return;
    const Board& b = board.cells;
    for (int c = 0; c < kBoardSize; ++c) {
        for (int r = 0; r < kBoardSize; ++r) {
            if (InSlidingRow(r)) continue;
            int16_t code = b[c][r];
            bool fallsNow = r < 8 && b[c][r + 1] == kEmpty;
            auto y = static_cast<int16_t>(CellY(r) + (fallsNow ? board.fallOffset : 0));
            if (code > 0) DrawBall(code, CellX(c), y);
            if (code == kVanishing && board.clearing) DrawBurst(CellX(c), CellY(r));
        }
    }
    Atlas()->BlitAlpha(7, 7, 315, 315, 166, 87, false, false);
    // The bursts once more over the glass, drifting up and left as they fade.
    if (!board.clearing) return;
    for (int c = 0; c < kBoardSize; ++c)
        for (int r = 0; r < kBoardSize; ++r)
            if (b[c][r] == kVanishing && !InSlidingRow(r))
                DrawBurst(static_cast<int16_t>(CellX(c) - board.animStep / 2),
                          static_cast<int16_t>(CellY(r) - board.animStep / 1.75f));
}

void DrawSlidingRow() {
    if (!Atlas()) return;
    const bool left = board.slideLeftRow >= 0;
    const int row = left ? board.slideLeftRow : board.slideRightRow;
    if (row < 0) return;
    const int s = board.slideStep;
    const int16_t y = CellY(row);
    const Board& b = board.cells;
    // The row's data has already moved; the picture glides from the old place.
    if (left) {
        for (int i = 0; i < 8; ++i)
            DrawBall(b[i][row], static_cast<int16_t>(164 + 34 * (i + 1) - s), y);
    } else {
        for (int i = 1; i < 9; ++i)
            DrawBall(b[i][row], static_cast<int16_t>(164 + 34 * (i - 1) + s), y);
    }
    // The ball that wrapped shows as the piece leaving one edge and the
    // piece entering the other.
    const int16_t wrapped = left ? b[8][row] : b[0][row];
    if (wrapped < 1 || wrapped > 8) return;
    const AtlasRect r = BallAtlasRect(wrapped);
    const float a = AtlasColumn(wrapped);
    if (left) {
        Atlas()->BlitAlpha(a + 2 + s, r.y1, a + 35, r.y2, 166, y, false, false);
        Atlas()->BlitAlpha(a, r.y1, a + s, r.y2, static_cast<int16_t>(470 - s), y, false, false);
    } else {
        Atlas()->BlitAlpha(a + 36 - s, r.y1, a + 40, r.y2, 166, y, false, false);
        Atlas()->BlitAlpha(a, r.y1, a + 34 - s, r.y2, static_cast<int16_t>(436 + s), y, false,
                           false);
    }
}
