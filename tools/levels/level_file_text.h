// The text of a Puzzle level file, the inverse of the game's level reader:
// 81 values, row by row, top row first, left to right.
#pragma once
#include "game/rules/game_state.h"

#include <string>

// 1 for an empty cell, 2 x (code - 1) for a ball of code 1..8.
int CellToLevelValue(int16_t cell);

// Nine lines of nine values separated by spaces.
std::string LevelFileText(const Board& cells);
