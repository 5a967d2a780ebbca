#include "audio_test_support.h"

#include "tools/sound/ogg_writer.h"

#include <vorbis/vorbisfile.h>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

DiskAudio::DiskAudio(int delayMs) : file_(MakeTempFolder() + "/mix.raw") {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", std::to_string(delayMs).c_str(), 1);
}

DiskAudio::~DiskAudio() {
    std::remove(file_.c_str()), unsetenv("SDL_AUDIODRIVER");
}

std::vector<int16_t> DiskAudio::Output() const {
    std::ifstream in(file_, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

double DiskAudio::SecondsWritten() const {
    struct stat info {};
    return stat(file_.c_str(), &info) != 0 ? 0.0 : double(info.st_size) / (44100.0 * 4.0);
}

NoAudioDevice::NoAudioDevice() {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
}
NoAudioDevice::~NoAudioDevice() {
    unsetenv("SDL_AUDIODRIVER");
}

std::string MakeTempFolder() {
    char pattern[] = "/tmp/orbolo-audio-XXXXXX";
    const char* made = mkdtemp(pattern);
    EXPECT_NE(made, nullptr);
    return made ? made : "/tmp";
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(out) << path;
}

std::vector<uint8_t> WavImage(int channels, int rate, int bits, const std::vector<uint8_t>& pcm) {
    std::vector<uint8_t> out;
    auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(t[i]));
    };
    const uint32_t align = uint32_t(channels * bits / 8);
    tag("RIFF"), put(uint32_t(36 + pcm.size()), 4), tag("WAVE"), tag("fmt "), put(16, 4);
    put(1, 2), put(uint32_t(channels), 2), put(uint32_t(rate), 4), put(uint32_t(rate) * align, 4);
    put(align, 2), put(uint32_t(bits), 2), tag("data"), put(uint32_t(pcm.size()), 4);
    out.insert(out.end(), pcm.begin(), pcm.end());
    return out;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> out(samples.size() * 2); // little-endian, as the machine
    std::memcpy(out.data(), samples.data(), out.size());
    return out;
}

void WriteTestOgg(const std::string& path, const std::vector<float>& samples, int channels,
                  int rate) {
    ASSERT_TRUE(WriteOgg(path, samples, channels, rate, 0.4f)) << path;
}

std::vector<int16_t> DecodeOgg(const std::string& path, int* channels, int* rate) {
    std::vector<int16_t> out;
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) return out;
    if (const vorbis_info* info = ov_info(&file, -1)) {
        if (channels) *channels = info->channels;
        if (rate) *rate = int(info->rate);
    }
    int16_t block[8192];
    int link;
    for (long got;
         (got = ov_read(&file, reinterpret_cast<char*>(block), sizeof block, 0, 2, 1, &link)) > 0;)
        out.insert(out.end(), block, block + got / 2);
    ov_clear(&file);
    return out;
}

std::vector<float> StereoTone(size_t frames, double hz, float amplitude) {
    std::vector<float> out(frames * 2);
    for (size_t i = 0; i < frames; ++i)
        out[2 * i] = out[2 * i + 1] =
            amplitude * float(std::cos(2.0 * M_PI * hz * double(i) / 44100.0));
    return out;
}

std::vector<LevelRun> LoudRuns(const std::vector<int16_t>& stereo, int threshold) {
    // Quiet only inside 8 quiet frames in a row, so a tone's zero crossings
    // do not split a loud run: raw runs first, short quiet ones then join
    // the loud runs around them.
    std::vector<LevelRun> raw, runs;
    for (size_t i = 0; i < stereo.size() / 2; ++i) {
        const bool loud = std::abs(stereo[2 * i]) >= threshold;
        if (raw.empty() || raw.back().loud != loud) raw.push_back({loud, 0});
        ++raw.back().frames;
    }
    for (LevelRun r : raw) {
        if (!r.loud && r.frames < 8) r.loud = true;
        if (!runs.empty() && runs.back().loud == r.loud)
            runs.back().frames += r.frames;
        else
            runs.push_back(r);
    }
    return runs;
}

size_t FirstLoudFrame(const std::vector<int16_t>& stereo, int threshold, size_t from) {
    for (size_t i = from; i < stereo.size() / 2; ++i)
        if (std::abs(stereo[2 * i]) >= threshold) return i;
    return stereo.size() / 2;
}

size_t Mismatches(const std::vector<int16_t>& out, size_t at, const std::vector<int16_t>& ref,
                  double gain, size_t frames) {
    size_t bad = 0;
    for (size_t i = 0; i < frames; ++i) {
        const double want = ref[2 * i] * gain * 32767.0 / 32768.0;
        if (2 * (at + i) >= out.size() || std::abs(out[2 * (at + i)] - want) > 2.0) ++bad;
    }
    return bad;
}

bool WaitFor(const std::function<bool()>& done, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

int ThreadCount() {
    return int(std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
}
