// The memory reader the decoder reads music through, and reading files whole.
#include "audio_test_support.h"
#include "framework/audio/ogg_memory_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

namespace {
MemoryImage ImageOf(size_t size) {
    MemoryImage image;
    for (size_t i = 0; i < size; ++i)
        image.data.push_back(uint8_t(i));
    return image;
}
} // namespace

TEST(OggMemoryReader, ReadsToTheEndAndSeeksClampToIt) {
    MemoryImage image = ImageOf(10);
    uint8_t buffer[16] = {};
    EXPECT_EQ(MemoryRead(buffer, 1, 9, &image), 9u);
    EXPECT_EQ(MemoryRead(buffer, 1, 16, &image), 1u);
    EXPECT_EQ(buffer[0], 9);
    EXPECT_EQ(MemoryRead(buffer, 1, 16, &image), 0u);
    image = ImageOf(8);
    EXPECT_EQ(MemoryRead(buffer, size_t(1) << 40, size_t(1) << 40, &image), 8u);

    image = ImageOf(100);
    // From position 5: where each seek lands. Past either end, or from an
    // unknown origin, is the end: the decoder learns the true length.
    for (auto [offset, origin, lands] :
         {std::tuple{0, SEEK_END, 100}, {40, SEEK_SET, 40}, {-3, SEEK_CUR, 2},
          {-10, SEEK_END, 90}, {500, SEEK_SET, 100}, {-1, SEEK_SET, 100}, {-6, SEEK_CUR, 100},
          {3, 7, 100}}) {
        MemorySeek(&image, 5, SEEK_SET);
        EXPECT_EQ(MemorySeek(&image, offset, origin), 0);
        EXPECT_EQ(MemoryTell(&image), lands) << offset << " from " << origin;
    }
    EXPECT_EQ(MemoryRead(buffer, 1, 4, nullptr), size_t(-1));
    EXPECT_EQ(MemorySeek(nullptr, 0, SEEK_SET), -1);
    EXPECT_EQ(MemoryTell(nullptr), -1);
}

TEST(ReadWholeFile, SizesAndFailures) {
    const std::string folder = MakeTempFolder();
    MemoryImage image = ImageOf(3);
    EXPECT_EQ(ReadWholeFile((folder + "/missing").c_str(), image), 0);
    WriteBytes(folder + "/empty", {});
    EXPECT_EQ(ReadWholeFile((folder + "/empty").c_str(), image), -1);
    EXPECT_TRUE(image.data.empty());
    WriteBytes(folder + "/five", {1, 2, 3, 4, 5});
    image.readPos = 3;
    EXPECT_EQ(ReadWholeFile((folder + "/five").c_str(), image), 5);
    EXPECT_EQ(image.Size(), 5u);
    EXPECT_EQ(image.readPos, 0u);
    EXPECT_EQ(ReadWholeFile(folder.c_str(), image), -1); // a folder is no file
}
