// Ten seconds of streamed music at real pace while the main thread computes
// flat out: every frame that comes out must be the decoded file's, so a
// single late refill (a half played twice or stale) fails the test. Runs
// alone (RUN_SERIAL): it measures the worker keeping up, not the machine.
#include "audio_test_support.h"
#include "framework/audio/KAudioSource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

TEST(MusicUnderrun, NoUnderrunsWhileTheMainThreadIsBusy) {
    DiskAudio disk(23); // real time: a half lasts 93 ms, as a player hears it
    KAudioSource::SetMasterVolumes(100, 100);
    const std::string folder = MakeTempFolder();
    // A 12 s glide from 200 Hz to 2 kHz: no two halves alike.
    const size_t length = 12 * 44100;
    std::vector<float> glide(length * 2);
    double phase = 0.0;
    for (size_t i = 0; i < length; ++i) {
        glide[2 * i] = glide[2 * i + 1] = 0.5f * float(std::cos(2 * M_PI * phase));
        phase += (200.0 + 1800.0 * double(i) / double(length)) / 44100.0;
    }
    WriteTestOgg(folder + "/glide.ogg", glide, 2, 44100);
    const auto ref = DecodeOgg(folder + "/glide.ogg");
    {
        KAudioSource music;
        ASSERT_TRUE(music.LoadMusic((folder + "/glide.ogg").c_str()));
        music.PlayMusic(1);
        // The main thread computes until 11 s have been mixed.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        volatile double sink = 0.0;
        while (disk.SecondsWritten() < 11.0 && std::chrono::steady_clock::now() < deadline)
            for (int i = 0; i < 100000; ++i)
                sink = sink + std::sqrt(double(sink) + 1.0);
    }
    const auto out = disk.Output();
    const size_t first = FirstLoudFrame(out, 1000);
    ASSERT_GE(out.size() / 2, first + 10 * 44100) << "the device ran slower than expected";
    // Music plays at 80 per cent of a master of 100: -10.60 dB.
    EXPECT_EQ(Mismatches(out, first, ref, std::pow(10.0, -1060 / 2000.0), 10 * 44100), 0u);
}
