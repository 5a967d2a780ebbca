// Puzzle level files: "gfx/level0N.dat" beside the program, 81 whitespace-
// separated integers, row by row (1 empty, even 0..14 the colours 1..8).
#pragma once
#include "game/game_state.h"

#include <cstdio>
#include <string>

// "gfx\level0%d.dat": level 10 is gfx\level010.dat.
std::string LevelFileName(int level);

// The cell code a value in a level file stands for; values that stand for
// no cell come out empty.
int16_t LevelValueToCell(int value);

// Reads the level into `out`, which the caller has emptied. Reading stops at
// the end of the file or at the first text that is not a number, keeping the
// cells read so far. A missing or unreadable file shows the player a message
// and returns false.
bool ReadLevelFile(int level, Board& out);

// The numbers of an open level file, row by row, into `out`.
void ReadLevelFrom(FILE* file, Board& out);
