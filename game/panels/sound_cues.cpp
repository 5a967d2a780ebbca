#include "game/panels/sound_cues.h"

#include "framework/audio/KAudioSource.h"
#include "framework/display/KSystemTools.h"

namespace {

// In Cue order; each effect has one voice, so replaying it restarts it.
constexpr const char* kCueFiles[kCueCount] = {
    "snd\\click.ogg", "snd\\over.ogg", "snd\\spin.ogg", "snd\\Clear.ogg",   "snd\\Swirl.ogg",
    "snd\\Pop.wav",   "snd\\Set.wav",  "snd\\Move.wav", "snd\\Levelup.ogg",
};
KAudioSource* cueSounds[kCueCount] = {};

void PlayLoadedSound(Cue cue) {
    if (KAudioSource* sound = cueSounds[int(cue)]) sound->Play();
}

} // namespace

void LoadSounds() {
    FreeSounds(); // a second call replaces the set instead of leaking it
    for (int i = 0; i < kCueCount; ++i) {
        cueSounds[i] = new KAudioSource;
        // A missing or unreadable file leaves that effect silent.
        cueSounds[i]->LoadSample(KSystemTools::MakePath(kCueFiles[i]), 200, 0);
    }
    SetCueSound(PlayLoadedSound);
}

void FreeSounds() {
    SetCueSound(nullptr);
    for (KAudioSource*& sound : cueSounds) {
        delete sound;
        sound = nullptr;
    }
}
