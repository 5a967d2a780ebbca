#include "framework/audio/wav_parse.h"

#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t Le16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

// The PCM part of the wave format record: tag, channels, rate, average
// bytes per second, block alignment, bits. The trailing extra-size field is
// not needed, so a plain 16-byte record suffices.
constexpr size_t kFormatRecordBytes = 16;

} // namespace

std::optional<WavContents> ParseWav(const uint8_t* image, size_t size) {
    if (size < 6) return std::nullopt;
    WavContents found{};
    bool haveFormat = false;
    for (size_t at = 0; at < size - 5; ++at) {
        const uint8_t* tag = image + at;
        const size_t bodyAt = at + 8;
        if (!haveFormat && std::memcmp(tag, "fmt ", 4) == 0) {
            // A record cut short by the end of the file is no format.
            if (bodyAt > size || size - bodyAt < kFormatRecordBytes) return std::nullopt;
            const uint8_t* record = image + bodyAt;
            found.formatTag = Le16(record);
            found.format.channels = Le16(record + 2);
            found.format.rate = Le32(record + 4);
            found.format.bits = Le16(record + 14);
            haveFormat = true;
        }
        if (std::memcmp(tag, "data", 4) == 0) {
            if (!haveFormat) return std::nullopt;
            // A length field or body cut off by the end of the file holds
            // only what is there.
            if (bodyAt > size) return std::nullopt;
            found.pcmOffset = bodyAt;
            const size_t available = size - bodyAt;
            const size_t declared = Le32(image + at + 4);
            found.pcmSize = uint32_t(declared < available ? declared : available);
            return found;
        }
    }
    return std::nullopt;
}
