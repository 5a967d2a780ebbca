// Reading a whole file into memory, refusing files beyond a size bound.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

enum class FileReadResult { Ok, OpenFailed, Empty, TooLarge, ShortRead };

// Reads up to maxBytes; a larger file is refused before anything is
// allocated. On failure `bytes` is empty.
FileReadResult ReadWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);
