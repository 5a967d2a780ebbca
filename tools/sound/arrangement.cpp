#include "tools/sound/arrangement.h"

#include <cmath>

size_t LoopFrames(double seconds) {
    const size_t halves = size_t(std::lround(seconds * kMusicRate / 4096.0));
    return halves * 4096 - 1;
}

void PadChord(LoopCanvas& canvas, int bar, const Chord& chord, float velocity) {
    float pan = -0.4f;
    const float panStep = 0.8f / float(chord.tones.size());
    for (int tone : chord.tones) {
        PlayPad(canvas,
                {canvas.At(bar, 0), canvas.BarSeconds() * 0.97, double(tone), velocity, pan});
        pan += panStep;
    }
}

void Arpeggio(LoopCanvas& canvas, int bar, const Chord& chord, const std::vector<int>& pattern,
              double stepBeats, int octaves, float velocity) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        const int index = pattern[i] % 100;
        const int pitch = chord.tones[size_t(index) % chord.tones.size()] + 12 * octaves +
                          (pattern[i] >= 100 ? 12 : 0);
        // Down-beats a little louder, notes fanned across the stereo field.
        const float accent = (i % 2 == 0) ? 1.0f : 0.78f;
        const float pan = (i % 2 == 0) ? -0.35f : 0.35f;
        PlayPluck(canvas,
                  {canvas.At(bar, double(i) * stepBeats), canvas.BeatSeconds() * stepBeats * 1.6,
                   double(pitch), velocity * accent, pan});
    }
}

void PlayMelody(LoopCanvas& canvas, const std::vector<MelodyNote>& melody, float velocity,
                void (*instrument)(LoopCanvas&, const Note&)) {
    for (const MelodyNote& m : melody)
        instrument(canvas, {canvas.At(m.bar, m.beat), canvas.BeatSeconds() * m.beats * 0.92,
                            double(m.pitch), velocity, 0.1f});
}
