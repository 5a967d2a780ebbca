// Puzzle level files: "gfx/level0N.dat" beside the program, 81 whitespace-
// separated integers, row by row (1 empty, even 0..14 the colours 1..8).
#pragma once
#include "game/rules/game_state.h"

#include <cstdio>
#include <string>

// "gfx\level0%d.dat": level 10 is gfx\level010.dat.
std::string LevelFileName(int level);

// The cell code a value in a level file stands for; values that stand for
// no cell come out empty.
int16_t LevelValueToCell(int value);

// Reads the level into `out`. A missing file, or one that ends or holds
// text that is not a number before its 81st number, shows the player a
// message naming the file and returns false, leaving `out` unchanged.
bool ReadLevelFile(int level, Board& out);

// The numbers of an open level file, row by row, into `out`, up to the end
// of the file or the first text that is not a number: how many were read.
int ReadLevelFrom(FILE* file, Board& out);
