#include "tools/sound/effects.h"

#include "tools/sound/dsp.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Renders `seconds` of a clip from a function of time giving (left, right),
// with fades of `fadeIn` and 8 ms at the ends, peak scaled to `peak`.
SoundClip Render(int rate, int channels, double seconds, double fadeIn, float peak,
                 const std::function<void(double t, float& l, float& r)>& voice) {
    const size_t frames = size_t(seconds * rate);
    SoundClip clip{rate, channels, std::vector<float>(frames * size_t(channels))};
    float top = 1e-6f;
    for (size_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        float l = 0.0f, r = 0.0f;
        voice(t, l, r);
        const float edge = FadeIn(t, fadeIn) * FadeIn(seconds - t, 0.008);
        l *= edge;
        r *= edge;
        if (channels == 1) {
            clip.samples[i] = 0.5f * (l + r);
        } else {
            clip.samples[2 * i] = l;
            clip.samples[2 * i + 1] = r;
        }
    }
    for (float v : clip.samples)
        top = std::max(top, std::fabs(v));
    for (float& v : clip.samples)
        v *= peak / top;
    return clip;
}

float Sine(double hz, double t) {
    return SineTable().At(hz * t);
}

void Pan(float v, float pan, float& l, float& r) {
    const double angle = (double(pan) + 1.0) * kPi / 4.0;
    l += v * float(std::cos(angle));
    r += v * float(std::sin(angle));
}

} // namespace

SoundClip MakeClick() {
    Rng rng(0xC11C);
    Svf filter;
    filter.Set(3500.0, 1.5, 44100);
    return Render(44100, 1, 0.06, 0.003, 0.7f, [&](double t, float& l, float& r) {
        const float v = Sine(2600.0, t) * float(std::exp(-t * 140.0)) * 0.6f +
                        filter.Band(rng.Noise()) * float(std::exp(-t * 300.0)) +
                        Sine(190.0, t) * float(std::exp(-t * 70.0)) * 0.35f;
        l = r = v;
    });
}

SoundClip MakeOver() {
    return Render(44100, 1, 0.07, 0.003, 0.22f, [](double t, float& l, float& r) {
        l = r = (Sine(1320.0, t) + 0.25f * Sine(2640.0, t)) * float(std::exp(-t * 55.0));
    });
}

SoundClip MakeSpin() {
    Rng rng(0x5319);
    Svf left, right;
    const double length = 1.3;
    return Render(44100, 2, length, 0.05, 0.6f, [&](double t, float& l, float& r) {
        const double x = t / length;
        // The band rises and falls like air past a turning board.
        const double centre = 350.0 + 2200.0 * std::sin(kPi * x) * std::sin(kPi * x);
        if (int(t * 44100) % 16 == 0) {
            left.Set(centre, 2.0, 44100);
            right.Set(centre * 1.07, 2.0, 44100);
        }
        const float env = float(std::pow(std::sin(kPi * x), 1.5));
        const float pan = float(std::cos(kPi * x)) * 0.6f; // left to right
        l = left.Band(rng.Noise()) * env * (1.0f - pan);
        r = right.Band(rng.Noise()) * env * (1.0f + pan);
    });
}

SoundClip MakeClear() {
    Rng rng(0xC1EA);
    struct Ping {
        double at, hz;
        float level, pan;
    };
    std::vector<Ping> pings = {{0.0, MidiToHz(88), 1.0f, -0.3f},
                               {0.045, MidiToHz(92), 0.9f, 0.0f},
                               {0.09, MidiToHz(95), 0.85f, 0.3f},
                               {0.135, MidiToHz(100), 0.7f, 0.1f}};
    // A few quiet sparkles high above the chord, at seeded places.
    for (int i = 0; i < 6; ++i)
        pings.push_back({0.12 + 0.06 * i + rng.Range(0.0f, 0.03f), MidiToHz(100 + 3 * (i % 3)),
                         0.25f, rng.Range(-0.8f, 0.8f)});
    return Render(44100, 2, 0.9, 0.001, 0.6f, [&](double t, float& l, float& r) {
        for (const Ping& p : pings) {
            const double u = t - p.at;
            if (u < 0.0) continue;
            const float v =
                (Sine(p.hz, u) + 0.3f * Sine(p.hz * 2.76, u) * float(std::exp(-u * 12.0))) *
                float(std::exp(-u * 6.0)) * FadeIn(u, 0.002) * p.level;
            Pan(v, p.pan, l, r);
        }
    });
}

SoundClip MakeSwirl() {
    Rng rng(0x5E1A);
    Svf band;
    const double length = 1.1;
    double phase = 0.0;
    return Render(44100, 2, length, 0.04, 0.6f, [&](double t, float& l, float& r) {
        const double x = t / length;
        // A glide upwards with a deep wobble, circling round the listener.
        const double hz = 300.0 * std::pow(4.0, x) * (1.0 + 0.06 * std::sin(2.0 * kPi * 9.0 * t));
        phase += hz / 44100.0;
        if (int(t * 44100) % 16 == 0) band.Set(hz * 2.0, 3.0, 44100);
        const float env = float(std::sin(kPi * x));
        const float v = (0.6f * SineTable().At(phase) + 0.8f * band.Band(rng.Noise())) * env;
        Pan(v, float(std::sin(2.0 * kPi * 2.5 * t)) * 0.8f, l, r);
    });
}

SoundClip MakePop() {
    double phase = 0.0;
    return Render(22050, 1, 0.09, 0.002, 0.65f, [&](double t, float& l, float& r) {
        // A bubble: the pitch springs upwards as it bursts.
        phase += (280.0 + 900.0 * (1.0 - std::exp(-t * 70.0))) / 22050.0;
        l = r = SineTable().At(phase) * float(std::exp(-t * 45.0));
    });
}

SoundClip MakeSet() {
    Rng rng(0x5E7);
    return Render(22050, 1, 0.12, 0.001, 0.5f, [&](double t, float& l, float& r) {
        // Wood: a few inharmonic modes that die within tens of milliseconds.
        l = r = Sine(520.0, t) * float(std::exp(-t * 38.0)) +
                0.5f * Sine(1240.0, t) * float(std::exp(-t * 70.0)) +
                0.25f * Sine(2150.0, t) * float(std::exp(-t * 110.0)) +
                0.3f * rng.Noise() * float(std::exp(-t * 600.0));
    });
}

SoundClip MakeMove() {
    Rng rng(0x30FE);
    Svf band;
    const double length = 0.2;
    return Render(22050, 1, length, 0.012, 0.55f, [&](double t, float& l, float& r) {
        const double x = t / length;
        if (int(t * 22050) % 8 == 0) band.Set(3000.0 * std::pow(0.3, x), 1.8, 22050);
        l = r = band.Band(rng.Noise()) * float(std::sin(kPi * std::sqrt(x)));
    });
}

SoundClip MakeLevelup() {
    struct Tone {
        double at, length;
        int pitch;
        float pan;
    };
    // Up the C major triad in quick steps, then the chord rings out.
    const Tone tones[] = {{0.0, 0.11, 72, -0.3f}, {0.13, 0.11, 76, -0.1f}, {0.26, 0.11, 79, 0.1f},
                          {0.39, 1.2, 84, 0.3f},  {0.39, 1.2, 72, -0.3f},  {0.39, 1.2, 76, 0.0f},
                          {0.39, 1.2, 79, 0.15f}};
    return Render(44100, 2, 2.0, 0.002, 0.65f, [&](double t, float& l, float& r) {
        for (const Tone& tone : tones) {
            const double u = t - tone.at;
            if (u < 0.0) continue;
            const double hz = MidiToHz(tone.pitch);
            // Brass-like: bright at the attack, mellowing as it holds.
            const float bright = float(std::exp(-u * 5.0));
            const float v = (SawFor(hz).At(hz * u) * 0.35f * bright +
                             (Sine(hz, u) + 0.3f * Sine(2.0 * hz, u)) * 0.6f) *
                            Adsr(u, 0.012, 0.4, 0.6, tone.length, 0.45);
            Pan(v * 0.35f, tone.pan, l, r);
        }
    });
}
