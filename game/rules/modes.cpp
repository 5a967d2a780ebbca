#include "game/rules/modes.h"

#include "game/rules/game_hooks.h"
#include "game/rules/game_state.h"
#include "game/rules/random.h"

namespace {

int16_t DrawBallCode() {
    int16_t code = static_cast<int16_t>(GameRand() % 7 + 1);
    if (GameRand() % 50 < 3) code = kBlackBall; // 3 chances in 50
    return code;
}

// A game left mid-animation (Restart or Quit while balls vanish, fall, slide
// or turn) must not carry its animation into the new board.
void ClearBoardAnimation() {
    board.fallOffset = 0;
    board.clearing = 0;
    board.animStep = 0;
    board.slideLeftRow = -1;
    board.slideRightRow = -1;
    board.slideStep = 0;
    board.spinState = NoSpin;
    board.spinAngle = 0.0f;
    board.boardZoom = 1.0f;
}

void SetupPuzzleLevel() {
    for (auto& column : board.cells)
        column.fill(kEmpty);
    if (!gameHooks.readLevel || !gameHooks.readLevel(counters.puzzleLevel, board.cells)) {
        // No board to play: stay on an empty, finished board instead of
        // counting it as cleared and running through every level.
        counters.levelUnavailable = 1;
        counters.gameOver = 1;
        counters.movesLeft = 0;
        return;
    }
    counters.movesLeft = counters.puzzleLevel;
}

} // namespace

void NewBoard() {
    for (int c = 0; c < kBoardSize; ++c) {
        for (int r = 0; r < kBoardSize; ++r) {
            for (;;) {
                int16_t code = DrawBallCode();
                bool edge = (c == 0 || r == 0);
                if (edge || (code != board.cells[c - 1][r] && code != board.cells[c][r - 1])) {
                    board.cells[c][r] = code;
                    break;
                }
            }
        }
    }
}

void SetupGame() {
    ClearBoardAnimation();
    counters.gameOver = 0;
    counters.tableResult = -1;
    counters.levelUnavailable = 0;
    counters.ballsLeft = static_cast<int16_t>(50 * settings.difficulty);
    switch (settings.gameMode) {
    case TimeAttack:
    case TopScore:
        counters.score = 0;
        counters.timeLeft = 600;
        NewBoard();
        break;
    case Puzzle:
        if (counters.puzzleLevel <= 10) {
            SetupPuzzleLevel();
        } else {
            for (auto& column : board.cells)
                column.fill(kEmpty);
            if (gameHooks.showCompletionScreen) gameHooks.showCompletionScreen();
            counters.gameOver = 1;
        }
        break;
    }
    counters.boardReady = 1;
}

void TickTimeAttackClock() {
    if (settings.gameMode != TimeAttack || counters.gameOver) return;
    if (MillisecondsSince(counters.lastTick) > 1000) {
        counters.timeLeft--;
        counters.lastTick = NowStamp();
    }
}
