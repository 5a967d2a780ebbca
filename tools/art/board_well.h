// The bowl the board sits in (320 x 320 at screen (235, 80)), drawn opaque
// over the play field: its corners repeat the field behind them.
#pragma once

#include "canvas.h"

namespace art {

Canvas boardWell();

} // namespace art
