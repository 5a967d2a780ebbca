// The play screen's key highlights as the help lines see them. After a key
// moves the row cursor or frames an option bar, the help lines explain it
// just as they explain the same thing under the pointer, until the pointer
// moves again.
#pragma once
#include "game/panels/help_lines.h"

#include <cstdint>

enum class KeyHighlight : uint8_t { None, RowCursor, OptionBar };

// Set by the play screen's keys; None again when the pointer moves or a
// play screen starts.
extern KeyHighlight keyHighlight;

// `pointer` with its button and position replaced by those that show the
// highlight's hint: the row's left arrow for the row cursor (0 top), the
// middle of the framed bar for an option bar (0 effects, 1 music, 2 speed).
HintSituation WithKeyHighlight(HintSituation pointer, KeyHighlight highlight, int keyBoardRow,
                               int optionBar);
