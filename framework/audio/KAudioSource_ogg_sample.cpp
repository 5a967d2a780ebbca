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
    const auto measuring = platform::OggDecoder::OpenFile(path);
    if (!measuring) return 0;
    std::vector<uint8_t> scratch(16384);
    uint64_t total = 0;
    long got;
    while ((got = measuring->Read(scratch.data(), uint32_t(scratch.size()))) > 0) {
        total += uint64_t(got);
        if (total > kLargestSamplePcm) break;
    }
    return total > kLargestSamplePcm ? 0 : total;
}

} // namespace

bool KAudioSource::LoadOggSample(const char* path) {
    FreeData();
    const uint64_t total = MeasurePcm(path);
    if (total == 0) return false;

    const auto reading = platform::OggDecoder::OpenFile(path);
    if (!reading) return false;
    format = {reading->Rate(), reading->Channels(), 16};
    if (!CreateBuffer(uint32_t(total))) return false;
    image.data.resize(size_t(total));
    uint32_t filled = 0;
    long got;
    while (filled < total &&
           (got = reading->Read(image.data.data() + filled, uint32_t(total - filled))) > 0)
        filled += uint32_t(got);
    if (filled == 0) {
        FreeData();
        return false;
    }
    pcm = image.data.data();
    pcmSize = uint32_t(total);
    return CopyPcmIntoBuffer();
}
