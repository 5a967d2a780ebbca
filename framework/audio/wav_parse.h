// Finds the format record and the PCM bytes in a WAV file image by scanning
// for the "fmt " and "data" tags byte by byte (no RIFF walk), so files with
// odd chunk sizes still load. A pure function over bytes.
#pragma once
#include "framework/platform/platform_sound.h"

#include <cstddef>
#include <cstdint>
#include <optional>

struct WavContents {
    uint16_t formatTag; // 1 = PCM; kept for the caller to judge
    platform::PcmFormat format;
    size_t pcmOffset; // into the image
    uint32_t pcmSize; // bytes, never past the end of the image
};

// Empty when there is no "data" tag, when no "fmt " tag comes before it, or
// when the image is shorter than 6 bytes.
std::optional<WavContents> ParseWav(const uint8_t* image, size_t size);
