// One playing frame of the board, in the game's fixed order: fall, vanish,
// turn, draw the cells (which may start a fall), slide, and last the scan,
// which runs only on a board at rest. The drawing is passed in, so the same
// frame runs under the window and in the headless simulator.
#pragma once

struct BoardPainter {
    void (*drawCells)() = nullptr;      // the cells and the overlay
    void (*drawSlidingRow)() = nullptr; // the row that glides
};

void StepBoardFrame(const BoardPainter& painter);
// The same pictures with no step of the rules.
void DrawBoardFrame(const BoardPainter& painter);
