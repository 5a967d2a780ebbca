#include "game/rules/board_rules.h"

#include "game/rules/game_hooks.h"
#include "game/rules/modes.h"
#include "game/rules/cues.h"
#include "game/rules/random.h"

int FallInterval() {
    return (5 - settings.gameSpeed) * 5;
}
int VanishInterval() {
    return (6 - settings.gameSpeed) * 20;
}
int SlideInterval() {
    return (5 - settings.gameSpeed) * 6;
}
int SpinCostInterval() {
    return (6 - settings.gameSpeed) * 25;
}

namespace {

// Marks one found line in the scratch grid and adds what it earns. The
// line is scored in full by every inner cell that finds it.
void ScoreLine(int16_t code, int start, int end, bool horizontal, int fixed) {
    board.clearing = 1;
    PlayCue(Cue::Clear);
    board.animStep = 0;
    board.animTimer = NowStamp();
    for (int k = start; k <= end; ++k) {
        int p = k - start;
        if (code == kBlackBall) {
            counters.timeLeft = static_cast<int16_t>(counters.timeLeft + 2 * p);
            counters.score = static_cast<int16_t>(counters.score + 6 * p);
        }
        counters.score = static_cast<int16_t>(counters.score + 2 * p);
        counters.timeLeft = static_cast<int16_t>(counters.timeLeft + p);
        if (horizontal)
            board.scratch[k][fixed] = kVanishing;
        else
            board.scratch[fixed][k] = kVanishing;
    }
}

void SearchLines() {
    const Board& b = board.cells;
    for (auto& column : board.scratch)
        column.fill(0);
    for (int c = 0; c < kBoardSize; ++c) {
        for (int r = 0; r < kBoardSize; ++r) {
            int16_t code = b[c][r];
            if (code == kEmpty) continue;
            if (c > 0 && c < 8 && b[c - 1][r] == code && b[c + 1][r] == code) {
                int start = c - 1, end = c + 1;
                while (end + 1 < kBoardSize && b[end + 1][r] == code)
                    ++end;
                while (start - 1 >= 0 && b[start - 1][r] == code)
                    --start;
                ScoreLine(code, start, end, true, r);
            }
            if (r > 0 && r < 8 && b[c][r - 1] == code && b[c][r + 1] == code) {
                int start = r - 1, end = r + 1;
                while (end + 1 < kBoardSize && b[c][end + 1] == code)
                    ++end;
                while (start - 1 >= 0 && b[c][start - 1] == code)
                    --start;
                ScoreLine(code, start, end, false, c);
            }
        }
    }
    // The marks go onto the board only now: every test saw the board as it
    // stood when the search began, so a crossing ball vanishes once.
    for (int c = 0; c < kBoardSize; ++c)
        for (int r = 0; r < kBoardSize; ++r)
            if (board.scratch[c][r] == kVanishing) board.cells[c][r] = kVanishing;
}

// New balls drop in only after a vanishing, and only into a board thinned
// out at the top: more than three columns with rows 0 and 1 empty.
void DropNewBalls() {
    int openColumns = 0;
    for (int c = 0; c < kBoardSize; ++c)
        if (board.cells[c][0] == kEmpty && board.cells[c][1] == kEmpty) ++openColumns;
    if (openColumns <= 3 || counters.ballsLeft <= 0) return;
    for (int c = 0; c < kBoardSize; ++c) {
        int draw = GameRand() % 50;
        if (draw > 30 && counters.ballsLeft > 0 && board.cells[c][0] == kEmpty) {
            board.cells[c][0] = static_cast<int16_t>(GameRand() % 8 + 1);
            PlayCue(Cue::Pop);
            counters.ballsLeft--;
        }
    }
}

} // namespace

std::array<int, 9> CountBalls() {
    std::array<int, 9> count{};
    for (const auto& column : board.cells)
        for (int16_t code : column)
            if (code >= 1 && code <= 8) count[code]++;
    return count;
}

bool BoardHasBalls() {
    auto count = CountBalls();
    for (int code = 1; code <= 8; ++code)
        if (count[code] > 0) return true;
    return false;
}

void ScanBoard() {
    auto count = CountBalls();
    bool anyColourHasThree = false;
    bool anyBall = false;
    for (int code = 1; code <= 8; ++code) {
        if (count[code] >= 3) anyColourHasThree = true;
        if (count[code] > 0) anyBall = true;
    }
    const int16_t mode = settings.gameMode;

    if (mode == TimeAttack && counters.timeLeft < 1) counters.gameOver = 1; // time is up
    if ((mode == TimeAttack || mode == TopScore) && !anyColourHasThree && !counters.gameOver) {
        counters.gameOver = 1;
        counters.tableResult = (mode == TimeAttack) ? counters.timeLeft : counters.score * 10;
        if (settings.onlineScores && gameHooks.showGameOver)
            gameHooks.showGameOver(mode, settings.difficulty, counters.tableResult);
        return;
    }

    if (mode == Puzzle && !anyBall && counters.puzzleLevel <= 10 && !counters.levelUnavailable) {
        counters.puzzleLevel++;
        PlayCue(Cue::Levelup);
        SetupGame();
    }

    SearchLines();

    // The last move's lines vanish first; a turn still running, or a ball
    // about to fall after the last slide, may still clear the board.
    if (settings.gameMode == Puzzle && counters.movesLeft == 0 && !counters.gameOver &&
        board.fallOffset == 0 && !SlideRunning() && !board.clearing && board.spinState == NoSpin &&
        !BallCanFall()) {
        counters.gameOver = 1;
    }
}

void StepVanish() {
    if (!board.clearing) return;
    if (MillisecondsSince(board.animTimer) > static_cast<uint32_t>(VanishInterval())) {
        board.animStep++;
        board.animTimer = NowStamp();
    }
    if (board.animStep < 3) return;
    board.clearing = 0;
    board.animStep = 0;
    for (auto& column : board.cells)
        for (auto& cell : column)
            if (cell == kVanishing) cell = kEmpty;
    if (settings.gameMode != Puzzle) DropNewBalls();
}

bool BallCanFall() {
    for (int c = 0; c < kBoardSize; ++c)
        for (int r = 0; r < 8; ++r)
            if (board.cells[c][r] >= 0 && board.cells[c][r + 1] == kEmpty) return true;
    return false;
}

void StartFallIfNeeded() {
    if (board.fallOffset == 0 && !SlideRunning() && BallCanFall()) board.fallOffset = 1;
}

void GravityPass() {
    for (int c = 0; c < kBoardSize; ++c) {
        auto& column = board.cells[c];
        for (int r = 0; r < 8; ++r) {
            if (column[r + 1] == kEmpty && column[r] >= 0) {
                column[r + 1] = column[r];
                column[r] = kEmpty;
                // The cell below the landed ball is taken for this pass, so
                // the same ball cannot fall twice.
                if (r + 2 < kBoardSize && column[r + 2] == kEmpty) column[r + 2] = kTaken;
            }
        }
    }
    bool ballBelowTop = false;
    for (int c = 0; c < kBoardSize; ++c) {
        for (int r = 0; r < kBoardSize; ++r) {
            if (board.cells[c][r] == kTaken) board.cells[c][r] = kEmpty;
            if (r >= 1 && board.cells[c][r] >= 1) ballBelowTop = true;
        }
    }
    if (ballBelowTop) PlayCue(Cue::Set);
}

void StepFall() {
    if (board.fallOffset <= 0 || board.spinState != NoSpin) return;
    if (MillisecondsSince(board.fallTimer) > static_cast<uint32_t>(FallInterval())) {
        board.fallOffset += 2;
        board.fallTimer = NowStamp();
    }
    if (board.fallOffset > 34) {
        board.fallOffset = 0;
        GravityPass();
    }
}
