// The board on the screen: its own transform (shifted right, turned and
// zoomed about its centre), the balls from the play sheet's atlas, the
// overlay, the vanishing bursts, and the sliding row in clipped pieces.
#pragma once

// Sets the view the board is drawn in: turned and zoomed as it spins.
void SetBoardTransform();
// The cells, the overlay and the bursts (not the sliding row).
void DrawBoardCells();
// The sliding row at its current step, with its wrapped ball in two pieces.
void DrawSlidingRow();
