// A whole file held in memory and the four reader functions through which
// the OGG decoder reads a music stream from it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct MemoryImage {
    std::vector<uint8_t> data;
    uint32_t readPos = 0; // 0 .. data.size()

    uint32_t Size() const { return uint32_t(data.size()); }
};

// Reads the file whole into `image`: the size (above 0) on success, 0 when
// the file cannot be opened, -1 when it is empty, too large for a 32-bit
// size, or cannot be held; then the image is empty.
int32_t ReadWholeFile(const char* path, MemoryImage& image);

// The decoder's reader callbacks over a MemoryImage passed as `source`.
// Positions are unsigned 32-bit: a seek before the start or past the end
// leaves the position at the end.
size_t MemoryRead(void* destination, size_t elementSize, size_t elementCount, void* source);
int MemorySeek(void* source, int64_t offset, int whence);
int MemoryClose(void* source);
long MemoryTell(void* source);
