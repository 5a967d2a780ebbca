// Main.ogg, the menu music: the first thing a player hears. F major, slow
// and relaxed; four bars of pad and arpeggio open out into bass, soft
// drums and, in the second half, a melody. The last bar's dominant leads
// back into the first.
#include "tools/sound/arrangement.h"
#include "tools/sound/music.h"

std::vector<float> ComposeMainMusic() {
    const Chord Fmaj7{41, {53, 57, 60, 64}}, Am7{45, {57, 60, 64, 67}},
        Bbmaj7{46, {58, 62, 65, 69}}, C6{36, {55, 60, 64, 69}}, Dm7{38, {53, 57, 60, 62}},
        Gm7{43, {53, 58, 62, 67}};
    const std::vector<Chord> bars = {Fmaj7, Am7, Bbmaj7, C6,    Fmaj7, Am7, Bbmaj7, C6,
                                     Dm7,   Am7, Bbmaj7, Fmaj7, Gm7,   Am7, Bbmaj7, C6};
    LoopCanvas canvas(LoopFrames(46.0), int(bars.size()), 4);
    Rng rng(0x4d41494e);

    for (int bar = 0; bar < int(bars.size()); ++bar) {
        const Chord& chord = bars[size_t(bar)];
        PadChord(canvas, bar, chord, 0.32f);
        Arpeggio(canvas, bar, chord, {0, 2, 1, 3, 2, 1, 103, 2}, 0.5, 1, bar < 4 ? 0.2f : 0.26f);
        for (int eighth = 0; eighth < 8; ++eighth)
            PlayShaker(canvas, canvas.At(bar, eighth * 0.5), eighth % 2 ? 0.5f : 0.25f,
                       eighth % 2 ? 0.3f : -0.2f, rng);
        if (bar < 4) {
            // A held bass note carries the loop from the full last bar into
            // the quieter opening.
            PlayBass(canvas,
                     {canvas.At(bar, 0), canvas.BarSeconds() * 0.95, double(chord.bass), 0.45f, 0});
            PlayBell(canvas,
                     {canvas.At(bar, 0), 1.0, double(chord.tones.back() + 12), 0.22f, 0.3f});
            continue;
        }
        PlayBass(canvas,
                 {canvas.At(bar, 0), canvas.BeatSeconds() * 1.8, double(chord.bass), 0.7f, 0});
        PlayBass(canvas,
                 {canvas.At(bar, 2.5), canvas.BeatSeconds() * 0.4, double(chord.bass), 0.5f, 0});
        PlayBass(canvas,
                 {canvas.At(bar, 3), canvas.BeatSeconds() * 0.8, double(chord.bass + 7), 0.55f, 0});
        PlayKick(canvas, canvas.At(bar, 0), 0.55f);
        PlayKick(canvas, canvas.At(bar, 2.5), 0.4f);
        if (bar >= 8) {
            PlayRim(canvas, canvas.At(bar, 1), 0.35f, rng);
            PlayRim(canvas, canvas.At(bar, 3), 0.35f, rng);
        }
    }
    PlayMelody(canvas, {{8, 0, 1.5, 69},  {8, 1.5, 0.5, 72},  {8, 2, 2, 74},      {9, 0, 1, 76},
                        {9, 1, 0.5, 74},  {9, 1.5, 0.5, 72},  {9, 2, 2, 69},      {10, 0, 1, 65},
                        {10, 1, 1, 69},   {10, 2, 1.5, 72},   {10, 3.5, 0.5, 74}, {11, 0, 3, 72},
                        {11, 3, 1, 69},   {12, 0, 1.5, 70},   {12, 1.5, 0.5, 69}, {12, 2, 1, 67},
                        {12, 3, 1, 65},   {13, 0, 1, 64},     {13, 1, 1, 67},     {13, 2, 2, 69},
                        {14, 0, 1.5, 74}, {14, 1.5, 0.5, 72}, {14, 2, 1, 69},     {14, 3, 1, 65},
                        {15, 0, 3.5, 67}},
               0.5f, PlayLead);
    canvas.Reverb(0.35f);
    return canvas.Finish(0.8f);
}
