// The WAV tag scan, over file images built in memory.
#include "audio_test_support.h"
#include "framework/audio/wav_parse.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
std::optional<WavContents> Parse(const std::vector<uint8_t>& image) {
    return ParseWav(image.data(), image.size());
}
} // namespace

TEST(WavParse, PlainFileGivesItsFormatAndPcm) {
    const auto image = WavImage(2, 22050, 16, Pcm16({1, -1, 2, -2}));
    const auto wav = Parse(image);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->formatTag, 1);
    EXPECT_EQ(wav->format.channels, 2);
    EXPECT_EQ(wav->format.rate, 22050u);
    EXPECT_EQ(wav->format.bits, 16);
    EXPECT_EQ(wav->pcmOffset, 44u);
    EXPECT_EQ(wav->pcmSize, 8u);
}

TEST(WavParse, DataBeforeFormatFails) {
    std::vector<uint8_t> image = {'d', 'a', 't', 'a', 4, 0, 0, 0, 1, 2, 3, 4};
    const auto fmt = WavImage(1, 8000, 8, {});
    image.insert(image.end(), fmt.begin() + 12, fmt.begin() + 36); // the "fmt " chunk only
    EXPECT_FALSE(Parse(image));
}

TEST(WavParse, ShortOrTaglessImagesFail) {
    for (size_t size = 0; size < 6; ++size)
        EXPECT_FALSE(ParseWav(reinterpret_cast<const uint8_t*>("data\0\0"), size)) << size;
    EXPECT_FALSE(Parse(std::vector<uint8_t>(200, 'x')));
    auto noData = WavImage(1, 8000, 8, {1, 2, 3});
    std::memcpy(noData.data() + 36, "dat!", 4);
    EXPECT_FALSE(Parse(noData));
}

TEST(WavParse, DataLengthIsLimitedToTheFile) {
    auto image = WavImage(1, 8000, 8, {1, 2, 3, 4, 5});
    image[40] = 0xff; // declares 255 + bytes
    image[42] = 0x7f;
    const auto wav = Parse(image);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->pcmSize, 5u);
}

TEST(WavParse, TagsCutOffByTheEndAreNotReadPast) {
    // Each image is copied to the heap at its exact size, so a read past
    // the end is caught by the address sanitizer build.
    auto image = WavImage(1, 8000, 8, {});
    image.resize(40); // "data" with no length field
    EXPECT_FALSE(Parse(image));

    const std::vector<uint8_t> cutFormat = {'R', 'I', 'F', 'F', 'f', 'm', 't', ' ',
                                            16,  0,   0,   0,   1,   0,   1,   0};
    EXPECT_FALSE(Parse(cutFormat)); // "fmt " record shorter than 16 bytes
}

TEST(WavParse, FirstFormatWins) {
    auto image = WavImage(1, 8000, 8, {9});
    auto second = WavImage(2, 44100, 16, {});
    // A second "fmt " chunk after the first is ignored.
    image.insert(image.begin() + 36, second.begin() + 12, second.begin() + 36);
    const auto wav = Parse(image);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->format.rate, 8000u);
    EXPECT_EQ(wav->pcmSize, 1u);
}
