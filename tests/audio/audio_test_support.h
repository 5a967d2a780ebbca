// Helpers for the audio tests: SDL's disk driver as a sound device whose
// output can be read back, test files written on the fly, and small
// measurements over 16-bit stereo output.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// While alive, sound devices open on SDL's disk driver, which writes the
// mix to a file. `delayMs` is the pause per 1024-frame callback (23 ms of
// audio): 2 runs about eleven times faster than real time.
class DiskAudio {
  public:
    explicit DiskAudio(int delayMs = 2);
    ~DiskAudio();
    // The mix written so far, interleaved stereo; read after the device
    // has closed (every KAudioSource gone) to get all of it.
    std::vector<int16_t> Output() const;
    // Seconds of audio written so far.
    double SecondsWritten() const;

  private:
    std::string file_;
};

// Sound devices fail to open while alive: a machine without sound.
class NoAudioDevice {
  public:
    NoAudioDevice();
    ~NoAudioDevice();
};

// A fresh empty folder under the system's temporary folder.
std::string MakeTempFolder();

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// A PCM WAV image: RIFF header, "fmt " (16 bytes), "data".
std::vector<uint8_t> WavImage(int channels, int rate, int bits, const std::vector<uint8_t>& pcm);
std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples);

// Encodes interleaved float samples as an OGG file.
void WriteTestOgg(const std::string& path, const std::vector<float>& samples, int channels,
                  int rate);
// Decodes a whole OGG file to interleaved 16-bit samples.
std::vector<int16_t> DecodeOgg(const std::string& path, int* channels = nullptr,
                               int* rate = nullptr);

// A cosine at `hz` and `amplitude`, stereo, `frames` long: never silent
// for more than a sample, so silent runs in the output are gaps.
std::vector<float> StereoTone(size_t frames, double hz, float amplitude);

// Runs of the output's left channel, as (loud?, length in frames).
struct LevelRun {
    bool loud;
    size_t frames;
};
std::vector<LevelRun> LoudRuns(const std::vector<int16_t>& stereo, int threshold);

// The first frame from `from` on whose left sample reaches `threshold`.
size_t FirstLoudFrame(const std::vector<int16_t>& stereo, int threshold, size_t from = 0);
// Frames of `out` from `at` on that differ from the decoded file at `gain`
// by more than rounding, over `frames` frames (missing frames count).
size_t Mismatches(const std::vector<int16_t>& out, size_t at, const std::vector<int16_t>& ref,
                  double gain, size_t frames);

// Polls `done` every millisecond for up to `seconds`; true once it holds.
// Tests wait for the mixer this way, not for a fixed time, so a slow or
// busy machine only makes them slower.
bool WaitFor(const std::function<bool()>& done, double seconds = 10.0);

// Threads of this process right now.
int ThreadCount();
