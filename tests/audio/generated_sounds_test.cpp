// The generated sound files as the game receives them: formats, lengths,
// quiet edges (no clicks) and music that joins where it loops.
#include "audio_test_support.h"
#include "framework/audio/wav_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

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

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            bytes.push_back(uint8_t(c));
        std::fclose(f);
    }
    return bytes;
}

} // namespace

TEST(GeneratedSounds, MusicLoopsWithoutASeam) {
    const struct {
        const char* name;
        double shortest, longest;
    } pieces[] = {{"Main.ogg", 40, 60}, {"Select.ogg", 20, 30}, {"theme.ogg", 55, 65}};
    for (const auto& piece : pieces) {
        SCOPED_TRACE(piece.name);
        int channels = 0, rate = 0;
        const auto pcm = DecodeOgg(kSoundFolder + piece.name, &channels, &rate);
        ASSERT_EQ(channels, 2);
        ASSERT_EQ(rate, 44100);
        const size_t frames = pcm.size() / 2;
        EXPECT_GE(frames, piece.shortest * 44100);
        EXPECT_LE(frames, piece.longest * 44100);
        // One frame short of whole stream halves: the player's restart then
        // leaves a single silent frame at the loop point.
        EXPECT_EQ(frames % 4096, 4095u);
        EXPECT_LT(Peak(pcm), 32000);
        // The edges dip to silence for a few milliseconds only; the music
        // itself runs on through the loop point at an even level.
        EXPECT_LT(std::abs(pcm[0]) + std::abs(pcm[pcm.size() - 1]), 600);
        const size_t window = 2 * 44100;
        const double tail = Rms(pcm, pcm.size() - window, window);
        const double head = Rms(pcm, 0, window);
        EXPECT_GT(tail, 1000.0);
        EXPECT_GT(head, 1000.0);
        EXPECT_LT(std::max(head, tail) / std::min(head, tail), 3.0);
    }
}

TEST(GeneratedSounds, OggEffectsAreShortWithQuietEdges) {
    const struct {
        const char* name;
        double shortest, longest;
    } effects[] = {{"click.ogg", 0.02, 0.2}, {"over.ogg", 0.02, 0.2}, {"spin.ogg", 1.2, 1.4},
                   {"Clear.ogg", 0.3, 1.2},  {"Swirl.ogg", 0.6, 1.5}, {"Levelup.ogg", 1.5, 2.5}};
    for (const auto& effect : effects) {
        SCOPED_TRACE(effect.name);
        int channels = 0, rate = 0;
        const auto pcm = DecodeOgg(kSoundFolder + effect.name, &channels, &rate);
        ASSERT_GT(channels, 0);
        const double seconds = double(pcm.size()) / channels / rate;
        EXPECT_GE(seconds, effect.shortest);
        EXPECT_LE(seconds, effect.longest);
        EXPECT_GT(Peak(pcm), 2000);
        EXPECT_LT(Peak(pcm), 32000);
        for (int c = 0; c < channels; ++c) {
            EXPECT_LT(std::abs(pcm[size_t(c)]), 800);
            EXPECT_LT(std::abs(pcm[pcm.size() - size_t(channels) + size_t(c)]), 800);
        }
    }
}

TEST(GeneratedSounds, WavEffectsArePlainPcm) {
    for (const char* name : {"Pop.wav", "Set.wav", "Move.wav"}) {
        SCOPED_TRACE(name);
        const auto bytes = ReadFile(kSoundFolder + name);
        const auto wav = ParseWav(bytes.data(), bytes.size());
        ASSERT_TRUE(wav);
        EXPECT_EQ(wav->formatTag, 1);
        EXPECT_EQ(wav->format.bits, 16);
        EXPECT_EQ(wav->pcmOffset + wav->pcmSize, bytes.size());
        std::vector<int16_t> pcm(wav->pcmSize / 2);
        for (size_t i = 0; i < pcm.size(); ++i)
            pcm[i] =
                int16_t(bytes[wav->pcmOffset + 2 * i] | (bytes[wav->pcmOffset + 2 * i + 1] << 8));
        EXPECT_LT(double(pcm.size()) / wav->format.channels / wav->format.rate, 0.5);
        EXPECT_GT(Peak(pcm), 2000);
        EXPECT_LT(std::abs(pcm.front()) + std::abs(pcm.back()), 100);
    }
}
