// Puzzle positions played on the game's own rules through the headless
// simulator, without level files: the level designer and the level tests
// both ask "what does this move do to this board" and "can this board be
// cleared in so many moves".
#pragma once
#include "game/rules/board_simulator.h"

#include <optional>
#include <vector>

// Puts `cells` in play as a Puzzle board with `movesLeft` moves. The level
// number is set past the last level, so a board that empties stays empty
// instead of loading the next level's file.
void PlacePuzzleBoard(const Board& cells, int movesLeft);

bool BoardEmpty(const Board& cells);

// The board `cells` comes to rest as: lines vanish, balls fall.
Board Settled(BoardSimulator& sim, const Board& cells);

// A board a level may start from: no line to vanish, no ball over a hole.
bool AtRest(BoardSimulator& sim, const Board& cells);

// The resting board after `move` and all it sets off; nothing when the game
// refuses the move or the board never comes to rest.
std::optional<Board> AfterMove(BoardSimulator& sim, const Board& cells, BoardMove move);

// The board after each move of `moves` in turn, started with `movesLeft`
// moves; it ends early when a move is refused.
std::vector<Board> Replay(BoardSimulator& sim, const Board& cells, int movesLeft,
                          const std::vector<BoardMove>& moves);

// Whether some sequence of at most `maxMoves` moves clears the board. Tries
// every sequence, skipping boards met before and boards that can no longer
// be cleared because a colour is down to one or two balls.
bool ClearableWithin(BoardSimulator& sim, const Board& cells, int maxMoves);
