// Samples through the real mixer: SDL's disk driver records what a player
// would hear.
#include "audio_test_support.h"
#include "framework/audio/KAudioSource.h"
#include "framework/display/KSystemTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sys/stat.h>

namespace {

int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (int16_t v : samples)
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

// A mono 16-bit sine of `seconds` at half scale.
std::vector<int16_t> MonoSine(int rate, double hz, double seconds) {
    std::vector<int16_t> s(size_t(rate * seconds));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = int16_t(16384 * std::sin(2 * M_PI * hz * double(i) / rate));
    return s;
}

} // namespace

TEST(SamplePlayback, WavPlaysAtItsVolumeAndPitch) {
    DiskAudio disk;
    const std::string folder = MakeTempFolder();
    // 22.05 kHz mono: converted to the device's 44.1 kHz stereo.
    WriteBytes(folder + "/tone.wav", WavImage(1, 22050, 16, Pcm16(MonoSine(22050, 441.0, 1.0))));
    KAudioSource::SetMasterVolumes(-1, 100);
    {
        KAudioSource sound;
        ASSERT_TRUE(sound.LoadSample((folder + "/tone.wav").c_str(), 200, 0));
        sound.Play();
        // Played out, did not loop.
        EXPECT_TRUE(WaitFor([&] { return !sound.Voice()->IsPlaying(); }));
    }
    const auto out = disk.Output();
    // Half scale at -2 dB: 16384 x 0.794.
    EXPECT_NEAR(Peak(out), 16384 * std::pow(10.0, -0.1), 200);
    size_t loudFrames = 0;
    for (const LevelRun& r : LoudRuns(out, 500))
        loudFrames += r.loud ? r.frames : 0;
    EXPECT_NEAR(double(loudFrames), 44100.0, 100.0); // one second, once
    // Pitch: 441 Hz gives 882 zero crossings a second.
    int crossings = 0;
    for (size_t i = 2; i < out.size(); i += 2)
        crossings += (out[i - 2] < 0) != (out[i] < 0);
    EXPECT_NEAR(crossings, 882, 10);
}

TEST(SamplePlayback, PlayRestartsTheSample) {
    DiskAudio disk;
    const std::string folder = MakeTempFolder();
    // A rising ramp over two seconds: a restart shows as a drop to the start.
    std::vector<int16_t> ramp(88200);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = int16_t(1000 + i / 4);
    WriteBytes(folder + "/ramp.wav", WavImage(1, 44100, 16, Pcm16(ramp)));
    KAudioSource::SetMasterVolumes(-1, 100);
    {
        KAudioSource sound;
        ASSERT_TRUE(sound.LoadSample((folder + "/ramp.wav").c_str(), 200, 0));
        sound.Play();
        ASSERT_TRUE(WaitFor([&] { return sound.Voice()->GetPosition() > 20000; }));
        sound.Play();
        EXPECT_LT(sound.Voice()->GetPosition(), 20000u);
        EXPECT_TRUE(WaitFor([&] { return !sound.Voice()->IsPlaying(); }));
    }
    const auto out = disk.Output();
    // The ramp starts twice: from silence, and by a jump back down. The
    // peak is the ramp's own, so the two plays never overlapped.
    int starts = 0;
    const int startLevel = int(std::lround(1000 * std::pow(10.0, -0.1)));
    for (size_t i = 0; i < out.size(); i += 2) {
        const int before = i ? out[i - 2] : 0, now = out[i];
        if (std::abs(now - startLevel) <= 2 && std::abs(before - now) > 100) ++starts;
    }
    EXPECT_EQ(starts, 2);
    EXPECT_NEAR(Peak(out), 23049 * std::pow(10.0, -0.1), 10);
}

TEST(SamplePlayback, LoadsByTheNamesEndingLoopsOnlyOnOneAndRefusesBadFiles) {
    DiskAudio disk;
    const std::string folder = MakeTempFolder() + "/sounds.ogg";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    WriteTestOgg(folder + "/chime.ogg", StereoTone(22050, 880.0, 0.5f), 2, 44100);
    WriteBytes(folder + "/plain.wav", WavImage(1, 22050, 16, Pcm16(MonoSine(22050, 441.0, 0.1))));
    std::vector<uint8_t> pcm; // 8-bit stereo
    for (int i = 0; i < 2205; ++i)
        pcm.insert(pcm.end(), 2, uint8_t(128 + 100 * std::sin(2 * M_PI * i / 50.0)));
    WriteBytes(folder + "/loop.wav", WavImage(2, 22050, 8, pcm));
    auto mulaw = WavImage(1, 8000, 8, {1, 2, 3});
    mulaw[20] = 7; // not PCM
    WriteBytes(folder + "/mulaw.wav", mulaw);
    WriteBytes(folder + "/empty.wav", WavImage(1, 8000, 16, {}));
    WriteBytes(folder + "/empty.ogg", {});
    KAudioSource sound, looping, once;
    // The file name's ending decides, not a folder named *.ogg.
    EXPECT_TRUE(sound.LoadSample((folder + "/chime.ogg").c_str(), 200, 0));
    EXPECT_EQ(sound.Voice()->Size(), 22050u * 4);
    EXPECT_TRUE(sound.LoadSample((folder + "/plain.wav").c_str(), 200, 0));
    EXPECT_EQ(sound.Voice()->Size(), 2205u * 2); // 0.1 s of 16-bit mono
    for (const char* name : {"/mulaw.wav", "/empty.wav", "/empty.ogg", "/missing.wav"}) {
        EXPECT_FALSE(sound.LoadSample((folder + name).c_str(), 200, 0)) << name;
        sound.Play(); // nothing, no crash
    }
    // The loop flag is exactly 1; 2 plays once.
    ASSERT_TRUE(looping.LoadSample((folder + "/loop.wav").c_str(), 100, 1));
    ASSERT_TRUE(once.LoadSample((folder + "/loop.wav").c_str(), 100, 2));
    looping.Play();
    once.Play();
    EXPECT_TRUE(WaitFor([&] { return !once.Voice()->IsPlaying(); }));
    EXPECT_TRUE(looping.Voice()->IsPlaying());
}

TEST(SamplePlayback, WithoutADeviceEverythingIsSilent) {
    NoAudioDevice none;
    const std::string folder = MakeTempFolder();
    WriteBytes(folder + "/tone.wav", WavImage(1, 22050, 16, Pcm16(MonoSine(22050, 441.0, 0.1))));
    auto silent = std::make_unique<KAudioSource>();
    EXPECT_EQ(KAudioSource::LiveSoundCount(), 0);
    EXPECT_FALSE(silent->LoadSample((folder + "/tone.wav").c_str(), 200, 0));
    silent->Play();
    // The box about the missing OGG stream would wait for a click on a display.
    static int messages = 0;
    KSystemTools::SetMessageSink([](const char*, const char*) { ++messages; });
    EXPECT_FALSE(silent->LoadMusic((folder + "/tone.wav").c_str()));
    KSystemTools::SetMessageSink(nullptr);
    silent->PlayMusic(1);
    {
        // A device that comes later is not closed by the silent object going.
        DiskAudio disk;
        KAudioSource sound;
        EXPECT_EQ(KAudioSource::LiveSoundCount(), 1);
        silent.reset();
        EXPECT_EQ(KAudioSource::LiveSoundCount(), 1);
        EXPECT_TRUE(sound.LoadSample((folder + "/tone.wav").c_str(), 200, 0));
    }
    EXPECT_EQ(KAudioSource::LiveSoundCount(), 0);
}
