// Draws a named piece of a sheet (game/sheet_layout.h) with its corner at a
// place on the screen, opaque or blended.
#pragma once
#include "framework/display/KGraphic.h"
#include "game/sheet_layout.h"

inline void BlitPiece(KGraphic& sheet, layout::Rect piece, layout::Point at) {
    sheet.Blit(piece.x1, piece.y1, piece.x2, piece.y2, static_cast<int16_t>(at.x),
               static_cast<int16_t>(at.y), false, false);
}

inline void BlitPieceAlpha(KGraphic& sheet, layout::Rect piece, layout::Point at) {
    sheet.BlitAlpha(piece.x1, piece.y1, piece.x2, piece.y2, static_cast<int16_t>(at.x),
                    static_cast<int16_t>(at.y), false, false);
}
