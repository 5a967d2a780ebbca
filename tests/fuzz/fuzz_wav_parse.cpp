// libFuzzer target: the WAV tag scan over any bytes. The image is copied to
// a buffer of exactly its size so any read past the end trips the sanitizer.
#include "framework/audio/wav_parse.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(data, data + size);
    const auto wav = ParseWav(image.data(), image.size());
    if (wav) {
        // What the parse hands out must lie inside the image.
        if (wav->pcmOffset > size || wav->pcmSize > size - wav->pcmOffset) std::abort();
    }
    return 0;
}
