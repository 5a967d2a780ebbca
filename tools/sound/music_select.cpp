// Select.ogg, the mode-selection music: C major, brisker and lighter than
// the menu, bells over a plucked pulse. Twelve bars; the closing G leads
// back to the opening C.
#include "tools/sound/arrangement.h"
#include "tools/sound/music.h"

std::vector<float> ComposeSelectMusic() {
    const Chord C{36, {60, 64, 67, 72}}, GoverB{47, {59, 62, 67, 71}}, Am{45, {57, 60, 64, 69}},
        F{41, {57, 60, 65, 69}}, G{43, {59, 62, 67, 71}};
    const std::vector<Chord> bars = {C, GoverB, Am, F, C, G, F, G, Am, F, C, G};
    LoopCanvas canvas(LoopFrames(24.0), int(bars.size()), 4);
    Rng rng(0x53454c45);

    for (int bar = 0; bar < int(bars.size()); ++bar) {
        const Chord& chord = bars[size_t(bar)];
        PadChord(canvas, bar, chord, 0.2f);
        Arpeggio(canvas, bar, chord, {0, 1, 2, 3, 102, 3, 2, 1}, 0.5, 0, 0.22f);
        // Bells answer each other from left and right on chord tones.
        const int top = chord.tones.back() + 12;
        PlayBell(canvas, {canvas.At(bar, 0), 1.0, double(top), 0.3f, -0.4f});
        PlayBell(canvas, {canvas.At(bar, 1.5), 1.0, double(chord.tones[1] + 12), 0.22f, 0.4f});
        PlayBell(canvas, {canvas.At(bar, 3), 1.0, double(chord.tones[2] + 12), 0.25f, 0.0f});
        for (double beat : {0.0, 1.5, 2.0, 3.0})
            PlayBass(canvas,
                     {canvas.At(bar, beat), canvas.BeatSeconds() * (beat == 0.0 ? 1.2 : 0.45),
                      double(chord.bass), beat == 0.0 ? 0.65f : 0.45f, 0});
        PlayKick(canvas, canvas.At(bar, 0), 0.5f);
        PlayKick(canvas, canvas.At(bar, 2), 0.4f);
        PlayRim(canvas, canvas.At(bar, 1), 0.3f, rng);
        PlayRim(canvas, canvas.At(bar, 3), 0.3f, rng);
        for (int eighth = 0; eighth < 8; ++eighth)
            PlayShaker(canvas, canvas.At(bar, eighth * 0.5), eighth % 2 ? 0.45f : 0.2f, 0.25f, rng);
    }
    canvas.Reverb(0.3f);
    return canvas.Finish(0.8f);
}
