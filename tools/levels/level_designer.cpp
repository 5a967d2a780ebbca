// level_designer LEVEL [TRIES] [SEED]: searches for a board for Puzzle level
// LEVEL and prints it as a block for levels.txt, with what it found on
// stderr. It builds TRIES levels backwards (ReverseBuilder) and prints the
// one with the most balls, turns and different moves that no sequence of up
// to four moves (fewer than the level allows) clears. Run from the build tree:
//   build/tools/levels/level_designer 7 300 1
#include "tools/levels/puzzle_position.h"
#include "tools/levels/reverse_builder.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

// Colours, black balls and lines per move grow with the level.
LevelRecipe RecipeFor(int level) {
    LevelRecipe recipe;
    recipe.moves = level;
    recipe.colours = std::min(2 + level / 2, 7);
    recipe.black = level >= 5;
    recipe.maxLinesPerMove = level >= 7 ? 3 : 2;
    return recipe;
}

int BallCount(const Board& cells) {
    int balls = 0;
    for (const auto& column : cells)
        for (int16_t cell : column)
            balls += cell != kEmpty;
    return balls;
}

int TurnCount(const PuzzleLevel& level) {
    int turns = 0;
    for (BoardMove move : level.solution)
        turns += move.code >= 18;
    return turns;
}

// A solution that keeps sliding one row is dull: count the different moves.
int DistinctMoves(const PuzzleLevel& level) {
    std::array<bool, BoardMove::kCount> used{};
    int distinct = 0;
    for (BoardMove move : level.solution)
        distinct += !std::exchange(used[move.code], true);
    return distinct;
}

// Balls, turns (from level 3 on, up to three) and variety make a level
// worth playing.
int Score(const PuzzleLevel& level) {
    const int turnBonus = level.number >= 3 ? 6 : 0;
    return BallCount(level.cells) + turnBonus * std::min(TurnCount(level), 3) +
           2 * DistinctMoves(level);
}

// From level 4 on a turn belongs to the solution.
int MinimumTurns(int level) {
    return level >= 4 ? 1 : 0;
}

// How far the designer looks for a shorter way: up to four moves, and for
// the early levels up to one move less than the level allows.
int ShortcutDepth(int level) {
    return std::min(level - 1, 4);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::atoi(argv[1]) < 1 || std::atoi(argv[1]) > kPuzzleLevels) {
        std::cerr << "usage: level_designer LEVEL(1..10) [TRIES] [SEED]\n";
        return 2;
    }
    const int number = std::atoi(argv[1]);
    const int tries = argc > 2 ? std::atoi(argv[2]) : 100;
    const uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::atoi(argv[3])) : 1;
    const auto start = std::chrono::steady_clock::now();

    // Build, drop what one or two moves clear, then search deeper only on
    // the best few: the deep search costs far more than the building.
    BoardSimulator sim;
    ReverseBuilder builder(sim, RecipeFor(number), seed);
    std::vector<std::pair<int, PuzzleLevel>> candidates;
    int built = 0;
    for (int t = 0; t < tries; ++t) {
        PuzzleLevel level;
        if (!builder.Build(level)) continue;
        ++built;
        if (TurnCount(level) < MinimumTurns(number)) continue;
        if (ClearableWithin(sim, level.cells, std::min(number - 1, 2))) continue;
        candidates.emplace_back(Score(level), level);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    const PuzzleLevel* best = nullptr;
    for (const auto& [score, level] : candidates) {
        if (!ClearableWithin(sim, level.cells, ShortcutDepth(number))) {
            best = &level;
            break;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cerr << "level " << number << ": " << built << " built, " << candidates.size()
              << " not cleared by one or two moves, " << seconds << " s\n";
    if (!best) return 1;
    std::cerr << "balls " << BallCount(best->cells) << ", turns " << TurnCount(*best)
              << "; balls each move clears:";
    int left = BallCount(best->cells);
    for (const Board& after : Replay(sim, best->cells, number, best->solution)) {
        std::cerr << " " << left - BallCount(after);
        left = BallCount(after);
    }
    std::cerr << "\n";
    std::cout << FormatLevelBlock(*best);
    return 0;
}
