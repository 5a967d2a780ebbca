#include "tools/levels/puzzle_position.h"

#include <map>

void PlacePuzzleBoard(const Board& cells, int movesLeft) {
    ResetGameState();
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 11;
    counters.movesLeft = static_cast<int16_t>(movesLeft);
    board.cells = cells;
}

bool BoardEmpty(const Board& cells) {
    for (const auto& column : cells)
        for (int16_t cell : column)
            if (cell != kEmpty) return false;
    return true;
}

Board Settled(BoardSimulator& sim, const Board& cells) {
    PlacePuzzleBoard(cells, 1);
    sim.Settle();
    return board.cells;
}

bool AtRest(BoardSimulator& sim, const Board& cells) {
    return Settled(sim, cells) == cells;
}

std::optional<Board> AfterMove(BoardSimulator& sim, const Board& cells, BoardMove move) {
    PlacePuzzleBoard(cells, 1);
    if (!sim.Play(move)) return std::nullopt;
    return board.cells;
}

std::vector<Board> Replay(BoardSimulator& sim, const Board& cells, int movesLeft,
                          const std::vector<BoardMove>& moves) {
    PlacePuzzleBoard(cells, movesLeft);
    std::vector<Board> boards;
    for (BoardMove move : moves) {
        if (!sim.Play(move)) break;
        boards.push_back(board.cells);
    }
    return boards;
}

namespace {

// No ball is ever added in Puzzle, and a line needs three balls of a code:
// a code down to one or two balls can never leave the board.
bool BallsStranded(const Board& cells) {
    std::array<int, 9> count{};
    for (const auto& column : cells)
        for (int16_t cell : column)
            if (cell >= 1 && cell <= 8) count[cell]++;
    for (int n : count)
        if (n == 1 || n == 2) return true;
    return false;
}

// `unclearable` keeps, per board met, the most moves it was found not to be
// cleared in.
bool ClearableWithin(BoardSimulator& sim, const Board& cells, int maxMoves,
                     std::map<Board, int>& unclearable) {
    if (BoardEmpty(cells)) return true;
    if (maxMoves == 0 || BallsStranded(cells)) return false;
    auto known = unclearable.find(cells);
    if (known != unclearable.end() && known->second >= maxMoves) return false;
    for (int code = 0; code < BoardMove::kCount; ++code) {
        std::optional<Board> next = AfterMove(sim, cells, BoardMove{code});
        if (next && *next != cells && ClearableWithin(sim, *next, maxMoves - 1, unclearable))
            return true;
    }
    unclearable[cells] = maxMoves;
    return false;
}

} // namespace

bool ClearableWithin(BoardSimulator& sim, const Board& cells, int maxMoves) {
    std::map<Board, int> unclearable;
    return ClearableWithin(sim, cells, maxMoves, unclearable);
}
