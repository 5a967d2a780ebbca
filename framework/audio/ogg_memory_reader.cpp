#include "framework/audio/ogg_memory_reader.h"

#include <cstdio>
#include <cstring>

size_t MemoryRead(void* destination, size_t elementSize, size_t elementCount, void* source) {
    auto* image = static_cast<MemoryImage*>(source);
    if (!image) return size_t(-1);
    // A product too large to express asks for everything that is left.
    size_t requested = 0;
    if (__builtin_mul_overflow(elementSize, elementCount, &requested))
        requested = std::numeric_limits<size_t>::max();
    if (image->readPos >= image->Size()) return 0;
    const size_t left = image->Size() - image->readPos;
    const size_t count = requested < left ? requested : left;
    if (count == 0) return 0;
    std::memcpy(destination, image->data.data() + image->readPos, count);
    image->readPos += uint32_t(count);
    return count;
}

int MemorySeek(void* source, int64_t offset, int whence) {
    auto* image = static_cast<MemoryImage*>(source);
    if (!image) return -1;
    const uint32_t low = uint32_t(uint64_t(offset));
    switch (whence) {
    case SEEK_SET:
        image->readPos = low;
        break;
    case SEEK_CUR:
        image->readPos += low;
        break;
    case SEEK_END:
        image->readPos = image->Size() + low;
        break;
    default:
        image->readPos = image->Size();
        break;
    }
    // Unsigned: a negative position has wrapped to a huge one and lands
    // at the end too.
    if (image->readPos >= image->Size()) image->readPos = image->Size();
    return 0;
}

int MemoryClose(void*) {
    return 0;
} // the image stays with its owner

long MemoryTell(void* source) {
    auto* image = static_cast<MemoryImage*>(source);
    if (!image) return -1;
    return long(image->readPos);
}
