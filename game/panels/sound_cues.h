// The sounds behind the cue set: the nine effects loaded from snd/.
#pragma once
#include "game/rules/cues.h"

// Creates and loads the nine effects from snd/ beside the executable, once
// at start-up, and lets the cues play them; FreeSounds destroys them when
// the main loop has ended.
void LoadSounds();
void FreeSounds();
