// The generated sound files as the game receives them: each decodes, runs
// its length, is loud enough without clipping and starts and ends quietly
// (no click); music is stereo at 44.1 kHz, one frame short of whole stream
// halves (the player's restart then leaves one silent frame), and as loud at
// its end as at its start, so the loop joins without a seam.
#include "audio_test_support.h"
#include "framework/audio/ogg_memory_reader.h"
#include "framework/audio/wav_parse.h"
#include "framework/display/file_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>

TEST(GeneratedSounds, EachFileHasItsLengthLevelAndQuietEdges) {
    const std::string folder = std::string(ORBOLO_RUNTIME_DIR) + "/snd/";
    // Name, shortest and longest in seconds, loudest first and last sample.
    for (auto [name, shortest, longest, edge] : {std::tuple{"Main.ogg", 40.0, 60.0, 300},
                                                 {"Select.ogg", 20.0, 30.0, 300},
                                                 {"theme.ogg", 55.0, 65.0, 300},
                                                 {"click.ogg", 0.02, 0.2, 800},
                                                 {"over.ogg", 0.02, 0.2, 800},
                                                 {"spin.ogg", 1.2, 1.4, 800},
                                                 {"Clear.ogg", 0.3, 1.2, 800},
                                                 {"Swirl.ogg", 0.6, 1.5, 800},
                                                 {"Levelup.ogg", 1.5, 2.5, 800},
                                                 {"Pop.wav", 0.0, 0.5, 50},
                                                 {"Set.wav", 0.0, 0.5, 50},
                                                 {"Move.wav", 0.0, 0.5, 50}}) {
        SCOPED_TRACE(name);
        int channels = 0, rate = 0;
        std::vector<int16_t> pcm;
        if (std::string(name).ends_with(".wav")) { // 16-bit PCM to the file's end
            MemoryImage file;
            ASSERT_EQ(ReadWholeFile((folder + name).c_str(), MemoryImage::kMaxBytes, file.data),
                      FileReadResult::Ok);
            const auto wav = ParseWav(file.data.data(), file.Size());
            ASSERT_TRUE(wav && wav->formatTag == 1 && wav->format.bits == 16);
            EXPECT_EQ(wav->pcmOffset + wav->pcmSize, file.Size());
            channels = wav->format.channels;
            rate = int(wav->format.rate);
            pcm.resize(wav->pcmSize / 2);
            std::memcpy(pcm.data(), file.data.data() + wav->pcmOffset, pcm.size() * 2);
        } else {
            pcm = DecodeOgg(folder + name, &channels, &rate);
        }
        ASSERT_GT(channels, 0);
        const double seconds = double(pcm.size()) / channels / rate;
        EXPECT_TRUE(seconds >= shortest && seconds <= longest) << seconds << " s";
        int peak = 0;
        for (int16_t v : pcm)
            peak = std::max(peak, std::abs(int(v)));
        EXPECT_TRUE(peak > 2000 && peak < 32000) << "peak " << peak;
        for (int c = 0; c < channels; ++c)
            EXPECT_LT(std::abs(pcm[c]) + std::abs(pcm[pcm.size() - channels + c]), 2 * edge);
        if (longest < 20) continue;
        EXPECT_EQ(std::tuple(channels, rate, pcm.size() / 2 % 4096), std::tuple(2, 44100, 4095u));
        auto rms = [&](size_t from) {
            double sum = 0.0;
            for (size_t i = from; i < from + 2 * 44100; ++i)
                sum += double(pcm[i]) * pcm[i];
            return std::sqrt(sum / (2 * 44100));
        };
        const double head = rms(0), tail = rms(pcm.size() - 2 * 44100);
        EXPECT_GT(std::min(head, tail), 1000.0);
        EXPECT_LT(std::max(head, tail) / std::min(head, tail), 3.0);
    }
}
