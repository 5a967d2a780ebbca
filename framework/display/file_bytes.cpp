#include "framework/display/file_bytes.h"

#include <cstdio>
#include <cstring>
#include <new>

FileReadResult ReadWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes) {
    bytes.clear();
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file) return FileReadResult::OpenFailed;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    std::rewind(file);
    FileReadResult result = FileReadResult::Ok;
    if (size <= 0) {
        result = FileReadResult::Empty;
    } else if (static_cast<unsigned long>(size) > maxBytes) {
        result = FileReadResult::TooLarge;
    } else {
        try {
            bytes.resize(static_cast<size_t>(size));
            if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
                result = FileReadResult::ShortRead;
        } catch (const std::bad_alloc&) {
            result = FileReadResult::OutOfMemory;
        }
    }
    std::fclose(file);
    if (result != FileReadResult::Ok) bytes.clear();
    return result;
}

bool PathEndsWith(const char* path, const char* ending) {
    const size_t length = path ? std::strlen(path) : 0;
    const size_t tail = std::strlen(ending);
    if (length < tail) return false;
    return std::memcmp(path + length - tail, ending, tail) == 0;
}
