// Builds a Puzzle level backwards from the empty board. Each step takes the
// board a move must leave behind, adds the lines that move is to make vanish
// (a line put under another vanishes first and lets the other fall into
// place, a cascade), and undoes the move: a slide the other way, or a turn
// back through the gravity that followed it. Every step is checked forwards
// on the game's own rules, so the level and its solution hold whatever the
// builder guessed.
#pragma once
#include "tools/levels/level_source.h"

#include <random>

struct LevelRecipe {
    int moves = 1;           // the level number, and the solution's length
    int colours = 1;         // the colours 1..colours are used
    bool black = false;      // black balls as well
    int maxLinesPerMove = 1; // lines one step of the solution may clear
};

class ReverseBuilder {
  public:
    ReverseBuilder(BoardSimulator& sim, const LevelRecipe& recipe, uint32_t seed);

    // One attempt at a level; false when some step found no way back.
    bool Build(PuzzleLevel& level);

  private:
    // From the board `after` a move, a board and move that lead to it.
    bool StepBack(const Board& after, bool mustClear, Board& before, BoardMove& move);
    bool InsertLine(Board& cells);
    BoardMove RandomMove(const Board& after, const Board& withLines);
    int16_t RandomColour();
    int Random(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

    BoardSimulator& sim_;
    LevelRecipe recipe_;
    std::mt19937 rng_;
};
