// Assembling a sheet: pieces painted as canvases are copied into an 8-bit
// image at their rectangles.
#pragma once

#include "canvas.h"
#include "image_files.h"
#include "game/sheet_layout.h"

namespace art {

Image toImage(const Canvas& c);
// Copies src (from its top-left corner) into the rectangle r of the sheet.
void putPiece(Image& sheet, layout::Rect r, const Canvas& src, int sx = 0, int sy = 0);
// A piece drawn blended normally and opaque when hovered: colour from
// `shown` (the piece lit and composed over what lies behind it on the
// screen), alpha from `shape` (the piece alone).
void putHoverPiece(Image& sheet, layout::Rect r, const Canvas& shown, const Canvas& shape);

} // namespace art
