// Reading a whole file into memory, refusing files beyond a size bound, and
// telling a file's type by its name.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

enum class FileReadResult { Ok, OpenFailed, Empty, TooLarge, OutOfMemory, ShortRead };

// Reads up to maxBytes; a larger file is refused before anything is
// allocated. On failure `bytes` is empty.
FileReadResult ReadWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);

// Whether the path ends in `ending` (".tga"). Only the end counts: a folder
// named "games.tga" makes no TGA of the files in it.
bool PathEndsWith(const char* path, const char* ending);
