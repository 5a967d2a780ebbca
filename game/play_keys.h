// The play screen's presses beyond the keys its handler reads: each as the
// key it stands for, and which key highlight it moves for the help lines.
#pragma once
#include "framework/input/KInputState.h"
#include "game/panels/key_hint.h"

// The press as the play screen's keyboard reads it: a gamepad's X as R
// (RESTART), its Y as T (TUTORIAL), its Back as Tab (the next option bar),
// its Start as the digit one step above the framed bar's value, from the
// top round to the bottom; the M key as Back (QUIT). Others as they are.
KInputPress AsPlayKey(const KInputPress& press);
// The row cursor leads the help lines after an arrow, the framed bar after
// Tab or a digit; the pointer takes over when it moves.
void FollowKeyHighlight(const KInputPress& press);
