#include "game/rules/cues.h"

namespace {
void (*cueListener)(Cue) = nullptr;
void (*cueSound)(Cue) = nullptr;
} // namespace

void PlayCue(Cue cue) {
    if (cueListener) cueListener(cue);
    if (cueSound) cueSound(cue);
}

void SetCueSound(void (*play)(Cue)) {
    cueSound = play;
}

void SetCueListener(void (*listener)(Cue)) {
    cueListener = listener;
}
