// theme.ogg, the in-game music: A minor, calm and steady for a ten-minute
// game. Eight bars of pad, arpeggio and soft pulse; eight with a quiet
// melody; four that turn back towards the opening chord.
#include "tools/sound/arrangement.h"
#include "tools/sound/music.h"

std::vector<float> ComposeThemeMusic() {
    const Chord Am7{45, {57, 60, 64, 67}}, Fmaj7{41, {53, 57, 60, 64}}, Cmaj7{36, {55, 59, 60, 64}},
        G{43, {55, 59, 62, 67}}, Dm7{38, {53, 57, 60, 62}}, Esus4{40, {52, 57, 59, 64}};
    const std::vector<Chord> bars = {Am7,   Fmaj7, Cmaj7, G,   Am7,   Fmaj7, Cmaj7, G, Dm7, Am7,
                                     Fmaj7, G,     Dm7,   Am7, Fmaj7, Esus4, Fmaj7, G, Am7, G};
    LoopCanvas canvas(LoopFrames(60.0), int(bars.size()), 4);
    Rng rng(0x5448454d);

    for (int bar = 0; bar < int(bars.size()); ++bar) {
        const Chord& chord = bars[size_t(bar)];
        PadChord(canvas, bar, chord, 0.3f);
        Arpeggio(canvas, bar, chord, {0, 2, 3, 2, 1, 2, 3, 102}, 0.5, 1, 0.2f);
        PlayBass(canvas,
                 {canvas.At(bar, 0), canvas.BeatSeconds() * 2.8, double(chord.bass), 0.65f, 0});
        PlayBass(canvas,
                 {canvas.At(bar, 3), canvas.BeatSeconds() * 0.9, double(chord.bass + 12), 0.4f, 0});
        PlayKick(canvas, canvas.At(bar, 0), 0.45f);
        PlayKick(canvas, canvas.At(bar, 2), 0.35f);
        PlayRim(canvas, canvas.At(bar, 2), 0.22f, rng);
        for (int eighth = 0; eighth < 8; ++eighth)
            PlayShaker(canvas, canvas.At(bar, eighth * 0.5), eighth % 2 ? 0.38f : 0.18f, -0.25f,
                       rng);
        if (bar >= 16)
            PlayBell(canvas, {canvas.At(bar, 0), 1.0, double(chord.tones.back() + 12), 0.2f, 0.4f});
    }
    PlayMelody(canvas, {{8, 0, 2, 69},      {8, 2, 1, 72},  {8, 3, 1, 74},  {9, 0, 2, 76},
                        {9, 2, 1, 74},      {9, 3, 1, 72},  {10, 0, 3, 69}, {10, 3, 1, 67},
                        {11, 0, 2, 71},     {11, 2, 2, 74}, {12, 0, 2, 77}, {12, 2, 1, 76},
                        {12, 3, 1, 74},     {13, 0, 2, 72}, {13, 2, 2, 76}, {14, 0, 1.5, 69},
                        {14, 1.5, 0.5, 72}, {14, 2, 1, 69}, {14, 3, 1, 67}, {15, 0, 2, 71},
                        {15, 2, 2, 69}},
               0.42f, PlayLead);
    canvas.Reverb(0.35f);
    return canvas.Finish(0.78f);
}
