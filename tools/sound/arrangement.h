// Writing music bar by bar: chords held by the pad, broken into arpeggios,
// and melodies given as (bar, beat, length, pitch) lists.
#pragma once
#include "tools/sound/instruments.h"

#include <vector>

struct Chord {
    int bass;               // MIDI note of the bass root
    std::vector<int> tones; // pad voicing, low to high
};

struct MelodyNote {
    int bar;
    double beat;
    double beats; // length
    int pitch;
};

// The number of frames for a loop of about `seconds`. A stream is refilled
// in halves of 4096 frames; one frame short of a whole number of halves
// makes the decoder run dry one frame before a half ends, so the stream
// player's restart leaves a single silent frame instead of most of a half.
size_t LoopFrames(double seconds);

void PadChord(LoopCanvas& canvas, int bar, const Chord& chord, float velocity);
// Chord tones picked by `pattern` (indices into tones, +100 an octave up),
// one every `stepBeats`, `octaves` octaves above the voicing.
void Arpeggio(LoopCanvas& canvas, int bar, const Chord& chord, const std::vector<int>& pattern,
              double stepBeats, int octaves, float velocity);
void PlayMelody(LoopCanvas& canvas, const std::vector<MelodyNote>& melody, float velocity,
                void (*instrument)(LoopCanvas&, const Note&));
