#include "tools/levels/level_file_text.h"

int CellToLevelValue(int16_t cell) {
    return cell >= 1 && cell <= 8 ? 2 * (cell - 1) : 1;
}

std::string LevelFileText(const Board& cells) {
    std::string text;
    for (int row = 0; row < kBoardSize; ++row) {
        for (int column = 0; column < kBoardSize; ++column) {
            if (column > 0) text += ' ';
            text += std::to_string(CellToLevelValue(cells[column][row]));
        }
        text += '\n';
    }
    return text;
}
