// libFuzzer target: the OGG decoder reading a music file through our memory
// reader, as a stream does: open, stream information, decode, rewind.
#include "framework/audio/ogg_memory_reader.h"
#include "framework/platform/platform_ogg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryImage image;
    image.data.assign(data, data + size);
    auto decoder =
        platform::OggDecoder::Open({&image, MemoryRead, MemorySeek, MemoryClose, MemoryTell});
    if (!decoder) return 0;
    uint8_t half[16384];
    // Bounded: a hostile file cannot keep the target decoding for ever.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 64 && decoder->Read(half, sizeof half) > 0; ++i) {
        }
        decoder->Rewind();
    }
    return 0;
}
