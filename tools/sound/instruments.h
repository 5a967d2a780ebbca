// The music generator's instruments: each renders one note into a
// LoopCanvas. Times in seconds, pitches as MIDI note numbers, pan -1 (left)
// to 1 (right).
#pragma once
#include "tools/sound/dsp.h"
#include "tools/sound/loop_canvas.h"

struct Note {
    double start;
    double length; // held for this long, then released
    double pitch;
    float velocity;
    float pan;
};

void PlayPad(LoopCanvas& canvas, const Note& note);   // slow, warm, detuned
void PlayPluck(LoopCanvas& canvas, const Note& note); // bright attack, darkening decay
void PlayBass(LoopCanvas& canvas, const Note& note);  // round sine bass
void PlayBell(LoopCanvas& canvas, const Note& note);  // soft glass bell
void PlayLead(LoopCanvas& canvas, const Note& note);  // hollow flute-like lead

// Soft percussion; the noise comes from the caller's seeded Rng.
void PlayKick(LoopCanvas& canvas, double start, float velocity);
void PlayShaker(LoopCanvas& canvas, double start, float velocity, float pan, Rng& rng);
void PlayRim(LoopCanvas& canvas, double start, float velocity, Rng& rng);
