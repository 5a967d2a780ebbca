#include "tools/levels/reverse_builder.h"

#include "game/rules/moves.h"
#include "tools/levels/puzzle_position.h"

#include <algorithm>
#include <optional>

namespace {

// The balls of a column at rest, top to bottom.
std::vector<int16_t> Stack(const Board& cells, int column) {
    std::vector<int16_t> balls;
    for (int16_t cell : cells[column])
        if (cell != kEmpty) balls.push_back(cell);
    return balls;
}

void SetStack(Board& cells, int column, const std::vector<int16_t>& balls) {
    cells[column].fill(kEmpty);
    const int top = kBoardSize - static_cast<int>(balls.size());
    for (size_t i = 0; i < balls.size(); ++i)
        cells[column][top + i] = balls[i];
}

int Height(const Board& cells, int column) {
    return static_cast<int>(Stack(cells, column).size());
}

// Whether the columns grow no taller to the right (`downhill`) or to the
// left: only such a board can be what a turn and its fall left behind.
bool Slopes(const Board& cells, bool downhill) {
    for (int c = 0; c + 1 < kBoardSize; ++c) {
        const int left = Height(cells, c), right = Height(cells, c + 1);
        if (downhill ? right > left : left > right) return false;
    }
    return true;
}

Board Mirrored(const Board& cells) {
    Board mirrored = cells;
    std::reverse(mirrored.begin(), mirrored.end());
    return mirrored;
}

Board SlidRow(const Board& cells, int row, bool left) {
    Board slid = cells;
    for (int c = 0; c < kBoardSize; ++c)
        slid[c][row] = cells[(c + (left ? 1 : kBoardSize - 1)) % kBoardSize][row];
    return slid;
}

// A board that a clockwise turn and the fall after it bring to `after`.
// The turn lays each column of a resting board along a row, flush left; the
// fall then stacks every column, so `after` must grow no taller to the
// right. Which rows held the long and the short columns is free.
template <class Rng> std::optional<Board> UnturnClockwise(const Board& after, Rng& rng) {
    std::array<int, kBoardSize + 1> height{};
    for (int c = 0; c < kBoardSize; ++c)
        height[c] = Height(after, c);
    std::vector<int> widths;
    for (int c = 0; c < kBoardSize; ++c) {
        if (height[c + 1] > height[c]) return std::nullopt;
        widths.insert(widths.end(), height[c] - height[c + 1], c + 1);
    }
    widths.resize(kBoardSize, 0);
    // Shuffled, or sorted into a slope that another turn can follow.
    if (rng() % 3 == 0)
        std::shuffle(widths.begin(), widths.end(), rng);
    else if (rng() % 2 == 0)
        std::sort(widths.begin(), widths.end(), std::greater<>());
    else
        std::sort(widths.begin(), widths.end());
    Board turned;
    for (auto& column : turned)
        column.fill(kEmpty);
    for (int c = 0; c < kBoardSize; ++c) {
        std::vector<int16_t> balls = Stack(after, c);
        size_t next = 0;
        for (int r = 0; r < kBoardSize; ++r)
            if (widths[r] > c) turned[c][r] = balls[next++];
    }
    return RotatedCounterClockwise(turned);
}

} // namespace

ReverseBuilder::ReverseBuilder(BoardSimulator& sim, const LevelRecipe& recipe, uint32_t seed)
    : sim_(sim), recipe_(recipe), rng_(seed) {}

int16_t ReverseBuilder::RandomColour() {
    if (recipe_.black && Random(8) == 0) return kBlackBall;
    return static_cast<int16_t>(1 + Random(recipe_.colours));
}

bool ReverseBuilder::InsertLine(Board& cells) {
    const int16_t colour = RandomColour();
    if (Random(5) < 2) {
        const int column = Random(kBoardSize);
        std::vector<int16_t> balls = Stack(cells, column);
        if (balls.size() + 3 > kBoardSize) return false;
        balls.insert(balls.begin() + Random(static_cast<int>(balls.size()) + 1), 3, colour);
        SetStack(cells, column, balls);
        return true;
    }
    const int length = 3 + (Random(4) == 0) + (Random(8) == 0);
    const int first = Random(kBoardSize - length + 1);
    int below = kBoardSize;
    for (int c = first; c < first + length; ++c) {
        const int height = Height(cells, c);
        if (height == kBoardSize) return false; // no room for one more ball
        below = std::min(below, height);
    }
    below = Random(below + 1); // balls left under the line in each column
    for (int c = first; c < first + length; ++c) {
        std::vector<int16_t> balls = Stack(cells, c);
        balls.insert(balls.end() - below, colour);
        SetStack(cells, c, balls);
    }
    return true;
}

BoardMove ReverseBuilder::RandomMove(const Board& after, const Board& withLines) {
    if (Random(4) == 0) return BoardMove{18 + Random(2)};
    // A slide can only make a line in a row it moves: pick among the rows
    // the new lines changed.
    std::vector<int> rows;
    for (int r = 0; r < kBoardSize; ++r)
        for (int c = 0; c < kBoardSize; ++c)
            if (withLines[c][r] != after[c][r]) {
                rows.push_back(r);
                break;
            }
    const int row = rows.empty() ? Random(kBoardSize) : rows[Random(static_cast<int>(rows.size()))];
    return Random(2) == 0 ? BoardMove::SlideLeftRow(row) : BoardMove::SlideRightRow(row);
}

bool ReverseBuilder::StepBack(const Board& after, bool mustClear, Board& before, BoardMove& move) {
    // Now and then a move only prepares the next: it clears nothing. Decided
    // once per step, as such moves are far easier to find than clearing ones.
    const bool prepares = !mustClear && Random(5) == 0;
    const bool downhill = Slopes(after, true), uphill = Slopes(after, false);
    for (int attempt = 0; attempt < 400; ++attempt) {
        Board withLines = after;
        const int lines = prepares ? 0 : 1 + Random(recipe_.maxLinesPerMove);
        bool inserted = true;
        for (int i = 0; i < lines && inserted; ++i)
            inserted = InsertLine(withLines);
        if (!inserted) continue;
        // Mostly keep a slope, so that turns stay possible further back.
        if ((downhill && !Slopes(withLines, true) && Random(3) != 0) ||
            (uphill && !Slopes(withLines, false) && Random(3) != 0))
            continue;
        if (lines > 0 && Settled(sim_, withLines) != after) continue;

        move = RandomMove(after, withLines);
        std::optional<Board> candidate;
        if (move.code < 9)
            candidate = SlidRow(withLines, move.code, false);
        else if (move.code < 18)
            candidate = SlidRow(withLines, move.code - 9, true);
        else if (move.code == BoardMove::Clockwise().code)
            candidate = UnturnClockwise(withLines, rng_);
        else if (auto mirrored = UnturnClockwise(Mirrored(withLines), rng_))
            candidate = Mirrored(*mirrored); // a counter-clockwise turn is its mirror image
        if (!candidate || *candidate == after || !AtRest(sim_, *candidate)) continue;
        if (AfterMove(sim_, *candidate, move) != after) continue;
        before = *candidate;
        return true;
    }
    return false;
}

bool ReverseBuilder::Build(PuzzleLevel& level) {
    Board cells;
    for (auto& column : cells)
        column.fill(kEmpty);
    level.number = recipe_.moves;
    level.solution.clear();
    for (int step = 0; step < recipe_.moves; ++step) {
        Board before;
        BoardMove move;
        if (!StepBack(cells, step == 0, before, move)) return false;
        cells = before;
        level.solution.insert(level.solution.begin(), move);
    }
    level.cells = cells;
    return true;
}
