// The sound cue set: the nine events the game makes heard. The rules only
// name a cue; the game's loaded sounds play it, and tests listen in.
#pragma once

enum class Cue {
    Click,   // snd/click.ogg: a button is clicked
    Over,    // snd/over.ogg: the pointer reaches a button
    Spin,    // snd/spin.ogg: the board turns
    Clear,   // snd/Clear.ogg: a line vanishes
    Swirl,   // snd/Swirl.ogg: restart
    Pop,     // snd/Pop.wav: a new ball drops in
    Set,     // snd/Set.wav: balls land
    Move,    // snd/Move.wav: a row slides
    Levelup, // snd/Levelup.ogg: a Puzzle level is cleared
};
constexpr int kCueCount = 9;

// Tells the listener, then plays the cue's sound. Without sounds nothing is
// heard and the game goes on.
void PlayCue(Cue cue);

// The game's loaded sounds (nullptr: silence).
void SetCueSound(void (*play)(Cue));

// Tests: told of every cue played (nullptr to stop).
void SetCueListener(void (*listener)(Cue));
