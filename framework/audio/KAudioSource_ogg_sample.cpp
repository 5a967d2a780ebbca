// OGG sound effects: decoded whole into one block of PCM in two passes over
// the file, one to measure and one to decode, so the block is allocated once.
#include "framework/audio/KAudioSource.h"

#include <cstring>
#include <vector>

namespace {

// An effect is short; a file that decodes to more than this (about six
// minutes of 44.1 kHz stereo) is refused rather than allocated.
constexpr uint64_t kLargestSamplePcm = 64u << 20;

// Decoded bytes of the whole stream, or 0 when it holds none or is too long.
uint64_t MeasurePcm(const char* path) {
    OggVorbis_File measuring;
    if (ov_fopen(path, &measuring) != 0) return 0;
    std::vector<char> scratch(16384);
    uint64_t total = 0;
    long got;
    int link;
    while ((got = ov_read(&measuring, scratch.data(), int(scratch.size()), 0, 2, 1, &link)) > 0) {
        total += uint64_t(got);
        if (total > kLargestSamplePcm) break;
    }
    ov_clear(&measuring);
    return total > kLargestSamplePcm ? 0 : total;
}

} // namespace

bool KAudioSource::LoadOggSample(const char* path) {
    FreeData();
    const uint64_t total = MeasurePcm(path);
    if (total == 0) return false;

    OggVorbis_File reading;
    if (ov_fopen(path, &reading) != 0) return false;
    const vorbis_info* info = ov_info(&reading, -1);
    if (!info) {
        ov_clear(&reading);
        return false;
    }
    format = {uint32_t(info->rate), uint16_t(info->channels), 16};
    if (!CreateBuffer(uint32_t(total))) {
        ov_clear(&reading);
        return false;
    }
    image.data.resize(size_t(total));
    uint32_t filled = 0;
    long got;
    int link;
    while (filled < total &&
           (got = ov_read(&reading, reinterpret_cast<char*>(image.data.data()) + filled,
                          int(total - filled), 0, 2, 1, &link)) > 0)
        filled += uint32_t(got);
    ov_clear(&reading);
    if (filled == 0) {
        FreeData();
        return false;
    }
    pcm = image.data.data();
    pcmSize = uint32_t(total);
    return CopyPcmIntoBuffer();
}
