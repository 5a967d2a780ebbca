// Small signal-processing pieces shared by the effect and music generators:
// a seeded noise source, band-limited wavetables, filters and envelopes.
// Everything is deterministic: the same calls give the same samples.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

constexpr double kPi = 3.14159265358979323846;
constexpr int kMusicRate = 44100;

// xorshift32: fixed seeds, the same noise on every build.
class Rng {
  public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 1) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [-1, 1).
    float Noise() { return float(Next() >> 8) * (2.0f / 16777216.0f) - 1.0f; }
    // Uniform in [lo, hi).
    float Range(float lo, float hi) { return lo + (hi - lo) * float(Next() >> 8) / 16777216.0f; }

  private:
    uint32_t state_;
};

// One cycle of a waveform given by its harmonic amplitudes, read with
// linear interpolation; the caller keeps frequencies low enough that the
// highest harmonic stays below half the sample rate.
class Wavetable {
  public:
    explicit Wavetable(const std::vector<float>& harmonics);
    float At(double phase) const; // phase in cycles, any value
  private:
    std::vector<float> table_;
};

// The tables the instruments use.
const Wavetable& SineTable();
const Wavetable& SoftSawTable();   // harmonics 1/n^1.3, 16 of them: pads
const Wavetable& BrightSawTable(); // harmonics 1/n, 24 of them: brass, plucks
const Wavetable& HollowTable();    // odd harmonics: mellow lead

// The brightest saw whose harmonics all stay below 20 kHz at `hz`.
const Wavetable& SawFor(double hz);

double MidiToHz(double note);

// A state-variable filter (Chamberlin), band-pass and low-pass outputs.
class Svf {
  public:
    void Set(double cutoffHz, double q, int rate);
    float Band(float in);
    float Low() const { return low_; }

  private:
    float f_ = 0.1f, damp_ = 1.0f, low_ = 0.0f, band_ = 0.0f;
};

// Attack, exponential-ish decay to a sustain level, release after `hold`.
// Smooth (raised-cosine) edges so no note clicks.
float Adsr(double t, double attack, double decay, double sustain, double hold, double release);

// A raised-cosine fade, 0 at edge to 1 after `length` seconds.
float FadeIn(double t, double length);
