// The sound cue set: the nine effects and the events that play them.
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

// Creates and loads the nine effects from snd/ beside the executable, once
// at start-up; FreeSounds destroys them when the main loop has ended.
void LoadSounds();
void FreeSounds();

// Plays the effect (restarting it when it already plays). Without loaded
// sounds nothing is heard and the game goes on.
void PlayCue(Cue cue);

// Tests: told of every cue played (nullptr to stop).
void SetCueListener(void (*listener)(Cue));
