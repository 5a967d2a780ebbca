// The WAV tag scan, over file images built in memory. Each image is its own
// heap block of its exact size, so the sanitizer build catches a read past
// the end.
#include "audio_test_support.h"
#include "framework/audio/wav_parse.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
std::optional<WavContents> Parse(const std::vector<uint8_t>& image) {
    return ParseWav(image.data(), image.size());
}
} // namespace

TEST(WavParse, PlainFileGivesItsFormatAndPcmAndTheFirstFormatWins) {
    auto wav = Parse(WavImage(2, 22050, 16, Pcm16({1, -1, 2, -2})));
    ASSERT_TRUE(wav);
    EXPECT_EQ(std::vector<size_t>({wav->formatTag, wav->format.channels, wav->format.rate,
                                   wav->format.bits, wav->pcmOffset, wav->pcmSize}),
              std::vector<size_t>({1, 2, 22050, 16, 44, 8}));

    auto image = WavImage(1, 8000, 8, {9});
    auto second = WavImage(2, 44100, 16, {});
    image.insert(image.begin() + 36, second.begin() + 12, second.begin() + 36);
    wav = Parse(image);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->format.rate, 8000u);
    EXPECT_EQ(wav->pcmSize, 1u);

    image = WavImage(1, 8000, 8, {1, 2, 3, 4, 5});
    image[40] = 0xff; // the data chunk claims 255 + bytes: limited to the file
    image[42] = 0x7f;
    wav = Parse(image);
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->pcmSize, 5u);
}

TEST(WavParse, ImagesWithoutAWholeFormatBeforeTheirDataFail) {
    std::vector<std::vector<uint8_t>> bad;
    for (size_t size = 0; size < 6; ++size)
        bad.push_back(std::vector<uint8_t>(reinterpret_cast<const uint8_t*>("data\0\0"),
                                           reinterpret_cast<const uint8_t*>("data\0\0") + size));
    bad.push_back(std::vector<uint8_t>(200, 'x'));
    auto noData = WavImage(1, 8000, 8, {1, 2, 3});
    std::memcpy(noData.data() + 36, "dat!", 4);
    bad.push_back(noData);
    std::vector<uint8_t> dataFirst = {'d', 'a', 't', 'a', 4, 0, 0, 0, 1, 2, 3, 4};
    const auto fmt = WavImage(1, 8000, 8, {});
    dataFirst.insert(dataFirst.end(), fmt.begin() + 12, fmt.begin() + 36);
    bad.push_back(dataFirst);
    auto noLength = WavImage(1, 8000, 8, {});
    noLength.resize(40); // "data" with no length field
    bad.push_back(noLength);
    bad.push_back({'R', 'I', 'F', 'F', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0}); // cut "fmt "
    for (const auto& image : bad)
        EXPECT_FALSE(Parse(image)) << image.size() << " bytes";
}
