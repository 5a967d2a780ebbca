// A whole file held in memory and the four reader functions through which
// the OGG decoder reads a music stream from it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// Filled by ReadWholeFile (framework/display/file_bytes.h) up to this size,
// which the 32-bit positions can address.
struct MemoryImage {
    static constexpr size_t kMaxBytes = std::numeric_limits<int32_t>::max();
    std::vector<uint8_t> data;
    uint32_t readPos = 0; // 0 .. data.size()

    uint32_t Size() const { return uint32_t(data.size()); }
};

// The decoder's reader callbacks over a MemoryImage passed as `source`.
// Positions are unsigned 32-bit: a seek before the start or past the end
// leaves the position at the end.
size_t MemoryRead(void* destination, size_t elementSize, size_t elementCount, void* source);
int MemorySeek(void* source, int64_t offset, int whence);
int MemoryClose(void* source);
long MemoryTell(void* source);
