#include "game/rules/board_frame.h"

#include "game/rules/board_rules.h"
#include "game/rules/game_state.h"
#include "game/rules/moves.h"

void StepBoardFrame(const BoardPainter& painter) {
    StepFall();
    StepVanish();
    if (board.spinState != NoSpin) StepSpin();
    StartFallIfNeeded();
    if (painter.drawCells) painter.drawCells();
    if (SlideRunning()) {
        // The step, the picture, then the end at 34 pixels: the slide's last
        // picture shows the row in place.
        StepSlide();
        if (painter.drawSlidingRow) painter.drawSlidingRow();
        EndSlideIfDone();
    }
    if (!SlideRunning() && !board.clearing && board.fallOffset == 0) ScanBoard();
}

void DrawBoardFrame(const BoardPainter& painter) {
    if (painter.drawCells) painter.drawCells();
    if (SlideRunning() && painter.drawSlidingRow) painter.drawSlidingRow();
}
