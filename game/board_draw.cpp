#include "game/board_draw.h"

#include "framework/display/KGraphic.h"
#include "game/rules/game_state.h"
#include "game/sheet_draw.h"
#include "game/sprite_table.h"

namespace {

using namespace layout;

// The play screen's sheet holds the ball atlas.
KGraphic* Atlas() {
    return spriteTable[kPlaySprite].image;
}

int16_t CellX(int column) {
    return static_cast<int16_t>(cellInView(column, 0).x);
}
int16_t CellY(int row) {
    return static_cast<int16_t>(cellInView(0, row).y);
}

void DrawBall(int16_t code, int16_t x, int16_t y) {
    if (code < 1 || code > 8) return;
    BlitPieceAlpha(*Atlas(), ball(code), {x, y});
}

void DrawBurst(int16_t x, int16_t y) {
    BlitPieceAlpha(*Atlas(), vanishFrame(board.animStep), {x, y});
}

bool InSlidingRow(int row) {
    return row == board.slideLeftRow || row == board.slideRightRow;
}

} // namespace

void SetBoardTransform() {
    // The board turns and zooms about its own centre, right of the screen's.
    KGraphic::SetShiftedWorldView(kBoardShiftX, 0, board.spinAngle, board.boardZoom);
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
    BlitPieceAlpha(*Atlas(), kBoardOverlay, kBoardOverlayInView);
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
            DrawBall(b[i][row], static_cast<int16_t>(CellX(i + 1) - s), y);
    } else {
        for (int i = 1; i < 9; ++i)
            DrawBall(b[i][row], static_cast<int16_t>(CellX(i - 1) + s), y);
    }
    // The ball that wrapped shows as the piece leaving one edge and the
    // piece entering the other.
    const int16_t wrapped = left ? b[8][row] : b[0][row];
    if (wrapped < 1 || wrapped > 8) return;
    // The board's left edge lies two pixels into the first cell; the right
    // edge is where a tenth cell would begin.
    const Rect r = ball(wrapped);
    const float a = static_cast<float>(r.x1);
    const auto leftEdge = static_cast<int16_t>(CellX(0) + 2);
    if (left) {
        Atlas()->BlitAlpha(a + 2 + s, r.y1, a + 35, r.y2, leftEdge, y, false, false);
        Atlas()->BlitAlpha(a, r.y1, a + s, r.y2, static_cast<int16_t>(CellX(9) - s), y, false,
                           false);
    } else {
        Atlas()->BlitAlpha(a + 36 - s, r.y1, a + 40, r.y2, leftEdge, y, false, false);
        Atlas()->BlitAlpha(a, r.y1, a + 34 - s, r.y2, static_cast<int16_t>(CellX(8) + s), y, false,
                           false);
    }
}
