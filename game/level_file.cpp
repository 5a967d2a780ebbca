#include "game/level_file.h"

#include "framework/display/KSystemTools.h"

#include <cstdio>

std::string LevelFileName(int level) {
    char name[32];
    std::snprintf(name, sizeof name, "gfx\\level0%d.dat", level);
    return name;
}

int16_t LevelValueToCell(int value) {
    if (value == 1) return kEmpty;
    if (value >= 0 && value <= 14 && value % 2 == 0) return static_cast<int16_t>(value / 2 + 1);
    return kEmpty; // anything else would index the ball pictures out of range
}

bool ReadLevelFile(int level, Board& out) {
    const std::string name = LevelFileName(level);
    FILE* file = std::fopen(KSystemTools::MakePath(name.c_str()), "r");
    if (!file) {
        std::string text = "The puzzle level file " + name + " could not be opened.";
        KSystemTools::ShowMessage("Error", text.c_str());
        return false;
    }
    // A short or garbled file would leave a partly empty board, or an empty
    // one that counts as cleared at once: only a whole level is played.
    Board read = out;
    const int values = ReadLevelFrom(file, read);
    std::fclose(file);
    if (values < kBoardSize * kBoardSize) {
        std::string text = "The puzzle level file " + name + " is damaged: only " +
                           std::to_string(values) + " of its 81 numbers could be read.";
        KSystemTools::ShowMessage("Error", text.c_str());
        return false;
    }
    out = read;
    return true;
}

int ReadLevelFrom(FILE* file, Board& out) {
    int values = 0;
    for (int row = 0; row < kBoardSize; ++row) {
        for (int column = 0; column < kBoardSize; ++column) {
            int value = 0;
            if (std::fscanf(file, "%d", &value) != 1) return values;
            out[column][row] = LevelValueToCell(value);
            ++values;
        }
    }
    return values;
}
