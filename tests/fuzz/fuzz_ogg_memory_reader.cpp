// libFuzzer target: the OGG decoder reading a music file through our memory
// reader, as a stream does: open, stream information, decode, rewind.
#include "framework/audio/ogg_memory_reader.h"

#include <vorbis/vorbisfile.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryImage image;
    image.data.assign(data, data + size);
    const ov_callbacks callbacks = {
        MemoryRead,
        [](void* source, ogg_int64_t offset, int whence) { return MemorySeek(source, offset, whence); },
        MemoryClose, MemoryTell};
    OggVorbis_File decoder;
    if (ov_open_callbacks(&image, &decoder, nullptr, 0, callbacks) != 0) return 0;
    if (ov_info(&decoder, -1)) {
        char half[16384];
        int link;
        // Bounded: a hostile file cannot keep the target decoding for ever.
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < 64 && ov_read(&decoder, half, sizeof half, 0, 2, 1, &link) > 0; ++i) {
            }
            ov_time_seek(&decoder, 0.0);
        }
    }
    ov_clear(&decoder);
    return 0;
}
