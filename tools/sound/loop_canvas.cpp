#include "tools/sound/loop_canvas.h"

#include "tools/sound/dsp.h"

#include <algorithm>
#include <cmath>

LoopCanvas::LoopCanvas(size_t frames, int bars, int beatsPerBar)
    : left_(frames, 0.0f), right_(frames, 0.0f), barSeconds_(double(frames) / kMusicRate / bars),
      beatsPerBar_(beatsPerBar) {}

namespace {

class Comb {
  public:
    Comb(size_t length, float feedback) : line_(length, 0.0f), feedback_(feedback) {}
    float Run(float in) {
        const float out = line_[at_];
        damped_ = out * 0.7f + damped_ * 0.3f; // high frequencies die first
        line_[at_] = in + damped_ * feedback_;
        if (++at_ == line_.size()) at_ = 0;
        return out;
    }

  private:
    std::vector<float> line_;
    float feedback_;
    float damped_ = 0.0f;
    size_t at_ = 0;
};

class Allpass {
  public:
    explicit Allpass(size_t length) : line_(length, 0.0f) {}
    float Run(float in) {
        const float delayed = line_[at_];
        const float out = delayed - 0.5f * in;
        line_[at_] = in + 0.5f * delayed;
        if (++at_ == line_.size()) at_ = 0;
        return out;
    }

  private:
    std::vector<float> line_;
    size_t at_ = 0;
};

// One channel's reverb; the two channels differ in their delay lengths.
std::vector<float> ReverbChannel(const std::vector<float>& dry, size_t spread) {
    std::vector<Comb> combs;
    for (size_t length : {1116u, 1188u, 1277u, 1356u})
        combs.emplace_back(length + spread, 0.82f);
    Allpass a1(556 + spread), a2(341 + spread);
    std::vector<float> wet(dry.size());
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < dry.size(); ++i) {
            float sum = 0.0f;
            for (Comb& c : combs)
                sum += c.Run(dry[i]);
            wet[i] = a2.Run(a1.Run(sum * 0.25f));
        }
    }
    return wet;
}

} // namespace

void LoopCanvas::Reverb(float wet) {
    const std::vector<float> l = ReverbChannel(left_, 0);
    const std::vector<float> r = ReverbChannel(right_, 23);
    for (size_t i = 0; i < left_.size(); ++i) {
        left_[i] += wet * l[i];
        right_[i] += wet * r[i];
    }
}

std::vector<float> LoopCanvas::Finish(float peak) const {
    float top = 1e-6f;
    for (size_t i = 0; i < left_.size(); ++i)
        top = std::max({top, std::fabs(left_[i]), std::fabs(right_[i])});
    // The stream player leaves one silent frame where the piece wraps round;
    // a dip of a few milliseconds either side hides that frame.
    const size_t dip = kMusicRate * 3 / 1000;
    std::vector<float> out(left_.size() * 2);
    for (size_t i = 0; i < left_.size(); ++i) {
        const size_t edge = std::min(i, left_.size() - 1 - i);
        const float g = peak / top * FadeIn(double(edge) + 0.5, double(dip));
        out[2 * i] = left_[i] * g;
        out[2 * i + 1] = right_[i] * g;
    }
    return out;
}
