// make_levels SOURCE RUNTIME_DIR: writes the ten Puzzle level files of the
// level source (levels.txt) into RUNTIME_DIR/gfx, where the game reads them.
// A malformed source stops the build with "file:line: what is wrong".
#include "game/level_file.h"
#include "tools/levels/level_file_text.h"
#include "tools/levels/level_source.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

// The game names its files with backslashes ("gfx\level01.dat").
std::filesystem::path LevelPath(const std::filesystem::path& runtimeDir, int level) {
    std::string name = LevelFileName(level);
    for (char& c : name)
        if (c == '\\') c = '/';
    return runtimeDir / name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_levels SOURCE RUNTIME_DIR\n";
        return 2;
    }
    std::vector<PuzzleLevel> levels;
    std::string error;
    if (!ReadLevelSource(argv[1], levels, error)) {
        std::cerr << error << "\n";
        return 1;
    }
    for (const PuzzleLevel& level : levels) {
        const std::filesystem::path path = LevelPath(argv[2], level.number);
        std::error_code failure;
        std::filesystem::create_directories(path.parent_path(), failure);
        if (failure) {
            std::cerr << path.parent_path().string() << ": " << failure.message() << "\n";
            return 1;
        }
        std::ofstream out(path, std::ios::binary);
        out << LevelFileText(level.cells);
        if (!out.flush()) {
            std::cerr << path.string() << ": cannot be written\n";
            return 1;
        }
    }
    return 0;
}
