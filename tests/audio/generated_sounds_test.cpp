// The generated sound files as the game receives them: formats, lengths,
// quiet edges (no clicks) and music that joins where it loops.
#include "audio_test_support.h"
#include "framework/audio/ogg_memory_reader.h"
#include "framework/audio/wav_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

namespace {

const std::string kSoundFolder = std::string(ORBOLO_RUNTIME_DIR) + "/snd/";

double Rms(const std::vector<int16_t>& s, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(count));
}

int Peak(const std::vector<int16_t>& s) {
    int peak = 0;
    for (int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

} // namespace

TEST(GeneratedSounds, MusicLoopsWithoutASeam) {
    for (auto [name, shortest, longest] :
         {std::tuple{"Main.ogg", 40, 60}, {"Select.ogg", 20, 30}, {"theme.ogg", 55, 65}}) {
        SCOPED_TRACE(name);
        int channels = 0, rate = 0;
        const auto pcm = DecodeOgg(kSoundFolder + name, &channels, &rate);
        ASSERT_EQ(channels, 2);
        ASSERT_EQ(rate, 44100);
        const size_t frames = pcm.size() / 2;
        EXPECT_GE(frames, shortest * 44100u);
        EXPECT_LE(frames, longest * 44100u);
        // One frame short of whole stream halves: the player's restart then
        // leaves a single silent frame at the loop point.
        EXPECT_EQ(frames % 4096, 4095u);
        EXPECT_LT(Peak(pcm), 32000);
        // The edges dip to silence for a few milliseconds only; the music
        // itself runs on through the loop point at an even level.
        EXPECT_LT(std::abs(pcm[0]) + std::abs(pcm[pcm.size() - 1]), 600);
        const size_t window = 2 * 44100;
        const double tail = Rms(pcm, pcm.size() - window, window), head = Rms(pcm, 0, window);
        EXPECT_GT(std::min(head, tail), 1000.0);
        EXPECT_LT(std::max(head, tail) / std::min(head, tail), 3.0);
    }
}

TEST(GeneratedSounds, EffectsAreShortLoudEnoughAndStartAndEndQuietly) {
    // Name, shortest and longest in seconds, loudest first and last sample.
    for (auto [name, shortest, longest, edge] :
         {std::tuple{"click.ogg", 0.02, 0.2, 800}, {"over.ogg", 0.02, 0.2, 800},
          {"spin.ogg", 1.2, 1.4, 800}, {"Clear.ogg", 0.3, 1.2, 800}, {"Swirl.ogg", 0.6, 1.5, 800},
          {"Levelup.ogg", 1.5, 2.5, 800}, {"Pop.wav", 0.0, 0.5, 50}, {"Set.wav", 0.0, 0.5, 50},
          {"Move.wav", 0.0, 0.5, 50}}) {
        SCOPED_TRACE(name);
        int channels = 0, rate = 0;
        std::vector<int16_t> pcm;
        if (std::string(name).ends_with(".wav")) {
            // Plain 16-bit PCM, the data chunk running to the file's end.
            MemoryImage file;
            ASSERT_GT(ReadWholeFile((kSoundFolder + name).c_str(), file), 0);
            const auto wav = ParseWav(file.data.data(), file.Size());
            ASSERT_TRUE(wav);
            EXPECT_EQ(wav->formatTag, 1);
            EXPECT_EQ(wav->format.bits, 16);
            EXPECT_EQ(wav->pcmOffset + wav->pcmSize, file.Size());
            channels = wav->format.channels;
            rate = int(wav->format.rate);
            pcm.resize(wav->pcmSize / 2);
            std::memcpy(pcm.data(), file.data.data() + wav->pcmOffset, pcm.size() * 2);
        } else {
            pcm = DecodeOgg(kSoundFolder + name, &channels, &rate);
        }
        ASSERT_GT(channels, 0);
        const double seconds = double(pcm.size()) / channels / rate;
        EXPECT_GE(seconds, shortest);
        EXPECT_LE(seconds, longest);
        EXPECT_GT(Peak(pcm), 2000);
        EXPECT_LT(Peak(pcm), 32000);
        for (int c = 0; c < channels; ++c) {
            EXPECT_LT(std::abs(pcm[size_t(c)]), edge);
            EXPECT_LT(std::abs(pcm[pcm.size() - size_t(channels) + size_t(c)]), edge);
        }
    }
}
