// The Puzzle levels' source text (tools/levels/levels.txt): each level's
// board, drawn one character per cell, with its intended solution. The level
// file generator, the level designer and the level tests share this reader
// and writer, so the format lives in one place.
//
//   level N              N = 1..10, in order
//   solution L3 R0 CW    at most N moves: L0..L8 / R0..R8 slide a row
//                        left / right, CW / CCW turn the board
//   nine board rows      top row first; . empty, 1..7 a colour, K black
//
// Blank lines and lines starting with # are ignored.
#pragma once
#include "game/rules/board_simulator.h"

#include <istream>
#include <string>
#include <vector>

constexpr int kPuzzleLevels = 10;

struct PuzzleLevel {
    int number = 0;
    Board cells{};
    std::vector<BoardMove> solution;
};

// Reads all ten levels. On a fault returns false and sets `error` to
// "name:line: what is wrong".
bool ParseLevelSource(std::istream& in, const std::string& name, std::vector<PuzzleLevel>& levels,
                      std::string& error);
bool ReadLevelSource(const std::string& path, std::vector<PuzzleLevel>& levels, std::string& error);

// One level as a block of the source text, as ParseLevelSource reads it.
std::string FormatLevelBlock(const PuzzleLevel& level);
