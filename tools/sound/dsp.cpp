#include "tools/sound/dsp.h"

#include <algorithm>

namespace {
constexpr int kTableSize = 4096;
}

Wavetable::Wavetable(const std::vector<float>& harmonics) : table_(kTableSize + 1) {
    float peak = 0.0f;
    for (int i = 0; i < kTableSize; ++i) {
        double v = 0.0;
        for (size_t h = 0; h < harmonics.size(); ++h)
            v += harmonics[h] * std::sin(2.0 * kPi * double(h + 1) * i / kTableSize);
        table_[i] = float(v);
        peak = std::max(peak, std::fabs(table_[i]));
    }
    for (float& v : table_)
        v /= peak;
    table_[kTableSize] = table_[0];
}

float Wavetable::At(double phase) const {
    const double x = (phase - std::floor(phase)) * kTableSize;
    const int i = int(x);
    const float t = float(x - i);
    return table_[i] + (table_[i + 1] - table_[i]) * t;
}

namespace {
std::vector<float> Harmonics(int count, double power, bool oddOnly) {
    std::vector<float> h(count, 0.0f);
    for (int n = 1; n <= count; ++n)
        if (!oddOnly || n % 2 == 1) h[n - 1] = float(1.0 / std::pow(n, power));
    return h;
}
} // namespace

const Wavetable& SineTable() {
    static const Wavetable table({1.0f});
    return table;
}
const Wavetable& SoftSawTable() {
    static const Wavetable table(Harmonics(16, 1.3, false));
    return table;
}
const Wavetable& BrightSawTable() {
    static const Wavetable table(Harmonics(24, 1.0, false));
    return table;
}
const Wavetable& HollowTable() {
    static const Wavetable table(Harmonics(9, 2.0, true));
    return table;
}

const Wavetable& SawFor(double hz) {
    if (hz * 24.0 < 20000.0) return BrightSawTable();
    if (hz * 16.0 < 20000.0) return SoftSawTable();
    return HollowTable();
}

double MidiToHz(double note) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

void Svf::Set(double cutoffHz, double q, int rate) {
    f_ = float(2.0 * std::sin(kPi * std::min(cutoffHz, rate / 6.0) / rate));
    damp_ = float(1.0 / q);
}

float Svf::Band(float in) {
    low_ += f_ * band_;
    const float high = in - low_ - damp_ * band_;
    band_ += f_ * high;
    return band_;
}

float FadeIn(double t, double length) {
    if (t <= 0.0) return 0.0f;
    if (t >= length) return 1.0f;
    return float(0.5 - 0.5 * std::cos(kPi * t / length));
}

float Adsr(double t, double attack, double decay, double sustain, double hold, double release) {
    if (t < 0.0) return 0.0f;
    auto level = [&](double u) {
        if (u < attack) return double(FadeIn(u, attack));
        return sustain + (1.0 - sustain) * std::exp(-(u - attack) / decay);
    };
    if (t < hold) return float(level(t));
    return float(level(hold)) * (1.0f - FadeIn(t - hold, release));
}
