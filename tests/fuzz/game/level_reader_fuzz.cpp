// Any bytes as a level file: the board gets only valid cell codes.
#include "game/level_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
    if (!file) return 0;
    Board b{};
    for (auto& column : b)
        column.fill(kEmpty);
    ReadLevelFrom(file, b);
    std::fclose(file);
    for (const auto& column : b)
        for (int16_t cell : column)
            if (cell != kEmpty && (cell < 1 || cell > 8)) std::abort();
    return 0;
}
