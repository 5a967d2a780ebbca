#include "game/panels/sound_cues.h"

namespace {
void (*cueListener)(Cue) = nullptr;
}

void PlayCue(Cue cue) {
    if (cueListener) cueListener(cue);
}

void SetCueListener(void (*listener)(Cue)) { cueListener = listener; }
