#include "tools/sound/instruments.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDt = 1.0 / kMusicRate;

size_t FrameOf(double seconds) {
    return size_t(std::llround(std::max(0.0, seconds) * kMusicRate));
}

// Equal-power panning, worked out once per note.
struct Pan {
    explicit Pan(float pan)
        : left(float(std::cos((double(pan) + 1.0) * kPi / 4.0))),
          right(float(std::sin((double(pan) + 1.0) * kPi / 4.0))) {}
    void Add(LoopCanvas& canvas, size_t frame, float v) const {
        canvas.Add(frame, v * left, v * right);
    }
    float left, right;
};

} // namespace

void PlayPad(LoopCanvas& canvas, const Note& note) {
    const double release = 1.4;
    const size_t begin = FrameOf(note.start);
    const size_t frames = FrameOf(note.length + release);
    const double hz = MidiToHz(note.pitch);
    const double detune[3] = {-0.07, 0.0, 0.07}; // semitones
    const float spread[3] = {-0.5f, 0.0f, 0.5f};
    Svf filter[3];
    for (Svf& f : filter)
        f.Set(std::min(hz * 5.0, 2400.0), 0.8, kMusicRate);
    for (int v = 0; v < 3; ++v) {
        const double step = hz * std::pow(2.0, detune[v] / 12.0) * kDt;
        double phase = 0.25 * v;
        const Pan pan(std::clamp(note.pan + spread[v], -1.0f, 1.0f));
        for (size_t i = 0; i < frames; ++i, phase += step) {
            const double t = i * kDt;
            const float env = Adsr(t, 0.6, 1.5, 0.75, note.length, release);
            filter[v].Band(SoftSawTable().At(phase));
            const float s = filter[v].Low() * env * note.velocity * 0.33f;
            pan.Add(canvas, begin + i, s);
        }
    }
}

void PlayPluck(LoopCanvas& canvas, const Note& note) {
    const double release = 0.15;
    const size_t begin = FrameOf(note.start);
    const size_t frames = FrameOf(std::min(note.length, 1.6) + release);
    const double hz = MidiToHz(note.pitch);
    const Pan pan(note.pan);
    Svf filter;
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i, phase += hz * kDt) {
        const double t = i * kDt;
        // The brightness falls faster than the level, as on a plucked string.
        if (i % 32 == 0) filter.Set(600.0 + 5000.0 * std::exp(-t * 9.0), 0.9, kMusicRate);
        filter.Band(SawFor(hz).At(phase));
        const float body = 0.6f * SineTable().At(phase);
        const float env = Adsr(t, 0.004, 0.35, 0.0, std::min(note.length, 1.6), release);
        pan.Add(canvas, begin + i, (filter.Low() + body) * env * note.velocity * 0.5f);
    }
}

void PlayBass(LoopCanvas& canvas, const Note& note) {
    const double release = 0.12;
    const size_t begin = FrameOf(note.start);
    const size_t frames = FrameOf(note.length + release);
    const double hz = MidiToHz(note.pitch);
    const Pan pan(note.pan);
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i, phase += hz * kDt) {
        const double t = i * kDt;
        const float env = Adsr(t, 0.012, 0.5, 0.55, note.length, release);
        const float raw = SineTable().At(phase) + 0.3f * SineTable().At(phase * 2.0) +
                          0.1f * SineTable().At(phase * 3.0);
        const float s = float(std::tanh(1.4 * raw) / std::tanh(1.4));
        pan.Add(canvas, begin + i, s * env * note.velocity * 0.8f);
    }
}

void PlayBell(LoopCanvas& canvas, const Note& note) {
    struct Partial {
        double ratio;
        float level;
        double decay; // seconds to fall by e
    };
    const Partial partials[] = {{1.0, 1.0f, 1.1},
                                {2.0, 0.45f, 0.6},
                                {3.01, 0.22f, 0.35},
                                {4.16, 0.12f, 0.22},
                                {5.43, 0.08f, 0.15}};
    const size_t begin = FrameOf(note.start);
    const size_t frames = FrameOf(4.5);
    const double hz = MidiToHz(note.pitch);
    const Pan pan(note.pan);
    // Each partial's level falls by a constant factor per frame.
    float level[5], fall[5];
    for (int k = 0; k < 5; ++k) {
        level[k] = hz * partials[k].ratio > 16000.0 ? 0.0f : partials[k].level;
        fall[k] = float(std::exp(-kDt / partials[k].decay));
    }
    for (size_t i = 0; i < frames; ++i) {
        const double t = i * kDt;
        float s = 0.0f;
        for (int k = 0; k < 5; ++k) {
            s += level[k] * SineTable().At(hz * partials[k].ratio * t);
            level[k] *= fall[k];
        }
        const float env = FadeIn(t, 0.002) * (1.0f - FadeIn(t - 4.0, 0.5));
        pan.Add(canvas, begin + i, s * env * note.velocity * 0.45f);
    }
}

void PlayLead(LoopCanvas& canvas, const Note& note) {
    const double release = 0.35;
    const size_t begin = FrameOf(note.start);
    const size_t frames = FrameOf(note.length + release);
    const double hz = MidiToHz(note.pitch);
    const Pan pan(note.pan);
    Svf filter;
    filter.Set(std::min(hz * 4.0, 3500.0), 0.7, kMusicRate);
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i * kDt;
        // Vibrato eases in after the attack, as a player's would.
        const double vibrato = 0.12 * FadeIn(t - 0.25, 0.4) * std::sin(2.0 * kPi * 5.2 * t);
        phase += hz * std::pow(2.0, vibrato / 12.0) * kDt;
        filter.Band(HollowTable().At(phase));
        const float env = Adsr(t, 0.05, 0.6, 0.7, note.length, release);
        pan.Add(canvas, begin + i, filter.Low() * env * note.velocity * 0.45f);
    }
}

void PlayKick(LoopCanvas& canvas, double start, float velocity) {
    const size_t begin = FrameOf(start);
    const Pan centre(0.0f);
    double phase = 0.0;
    for (size_t i = 0; i < FrameOf(0.4); ++i) {
        const double t = i * kDt;
        phase += (48.0 + 70.0 * std::exp(-t * 28.0)) * kDt;
        const float env =
            FadeIn(t, 0.003) * float(std::exp(-t * 9.0)) * (1.0f - FadeIn(t - 0.35, 0.05));
        centre.Add(canvas, begin + i, SineTable().At(phase) * env * velocity * 0.9f);
    }
}

void PlayShaker(LoopCanvas& canvas, double start, float velocity, float pan, Rng& rng) {
    const size_t begin = FrameOf(start);
    Svf filter;
    filter.Set(7000.0, 1.2, kMusicRate);
    const Pan panning(pan);
    for (size_t i = 0; i < FrameOf(0.12); ++i) {
        const double t = i * kDt;
        const float env =
            FadeIn(t, 0.006) * float(std::exp(-t * 45.0)) * (1.0f - FadeIn(t - 0.1, 0.02));
        panning.Add(canvas, begin + i, filter.Band(rng.Noise()) * env * velocity * 0.35f);
    }
}

void PlayRim(LoopCanvas& canvas, double start, float velocity, Rng& rng) {
    const size_t begin = FrameOf(start);
    Svf filter;
    filter.Set(2200.0, 2.0, kMusicRate);
    const Pan nearCentre(0.1f);
    for (size_t i = 0; i < FrameOf(0.22); ++i) {
        const double t = i * kDt;
        const float env = FadeIn(t, 0.002) * (1.0f - FadeIn(t - 0.18, 0.04));
        const float s = filter.Band(rng.Noise()) * float(std::exp(-t * 28.0)) * 0.6f +
                        SineTable().At(205.0 * t) * float(std::exp(-t * 35.0)) * 0.5f;
        nearCentre.Add(canvas, begin + i, s * env * velocity * 0.5f);
    }
}
