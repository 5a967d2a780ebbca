// A stereo piece of music rendered on a circle: a note that rings past the
// end goes on at the start, and the reverb runs twice round, so the last
// bar flows into the first and the piece loops without a seam.
#pragma once
#include <cstddef>
#include <vector>

class LoopCanvas {
  public:
    // `frames` at 44.1 kHz; `bars` divides it into bars of equal length.
    LoopCanvas(size_t frames, int bars, int beatsPerBar);

    size_t Frames() const { return left_.size(); }
    double BarSeconds() const { return barSeconds_; }
    double BeatSeconds() const { return barSeconds_ / beatsPerBar_; }
    // Start time of beat `beat` (may be fractional) of bar `bar`.
    double At(int bar, double beat) const { return bar * barSeconds_ + beat * BeatSeconds(); }

    // Adds a sample at a frame counted from the start, wrapping round.
    void Add(size_t frame, float left, float right) {
        while (frame >= left_.size())
            frame -= left_.size(); // cheaper than % here
        left_[frame] += left;
        right_[frame] += right;
    }

    // A small plate-like reverb (Schroeder: combs then all-passes), run
    // round the circle twice so its tail at the start is the real one.
    void Reverb(float wet);
    // Scales the peak to `peak` and returns interleaved stereo.
    std::vector<float> Finish(float peak) const;

  private:
    std::vector<float> left_, right_;
    double barSeconds_;
    int beatsPerBar_;
};
