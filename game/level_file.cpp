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
    ReadLevelFrom(file, out);
    std::fclose(file);
    return true;
}

void ReadLevelFrom(FILE* file, Board& out) {
    for (int row = 0; row < kBoardSize; ++row) {
        for (int column = 0; column < kBoardSize; ++column) {
            int value = 0;
            if (std::fscanf(file, "%d", &value) != 1) return;
            out[column][row] = LevelValueToCell(value);
        }
    }
}
