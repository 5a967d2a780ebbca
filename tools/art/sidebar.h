// The play screen's left column (150 x 480 on the screen): the mode box,
// the options panel and the lower panel with its three buttons. Its parts
// live in two sheets (font2.jpg and play2.tga), cut from this one picture.
#pragma once

#include "canvas.h"

namespace art {

// Mode 1..3 (TimeAttack, TopScore, Puzzle) fills the mode box at the top.
Canvas sidebar(int mode, bool litButtons);

} // namespace art
