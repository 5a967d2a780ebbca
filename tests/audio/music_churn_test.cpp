// Music streams created, played and freed hundreds of times while the mixer
// runs flat out, as screen changes do: each is freed just after the mixer
// told its worker that a half was entered. A notifier signalled after its
// stream was gone shows here as a crash, or as a report of the thread or
// address sanitizer pass.
#include "audio_test_support.h"
#include "framework/audio/KAudioSource.h"

#include <gtest/gtest.h>

#include <memory>

TEST(MusicChurn, StreamsComeAndGoWhileTheMixerNotifies) {
    DiskAudio disk(1); // a callback every millisecond
    const std::string song = MakeTempFolder() + "/song.ogg";
    WriteTestOgg(song, StereoTone(44100, 441.0, 0.5f), 2, 44100);
    KAudioSource holder; // keeps the device open between streams, as the cues do
    const int threads = ThreadCount();
    for (int round = 0; round < 300; ++round) {
        auto music = std::make_unique<KAudioSource>();
        ASSERT_TRUE(music->LoadMusic(song.c_str()));
        music->PlayMusic(1);
        // Into the second half: the first notification has been sent.
        ASSERT_TRUE(WaitFor([&] {
            return music->Voice()->GetPosition() >= KAudioSource::kHalfSize;
        })) << "round "
            << round;
    }
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_EQ(KAudioSource::LiveSoundCount(), 1);
}
