#include "game/rules/moves.h"

#include "game/rules/board_rules.h"
#include "game/rules/game_hooks.h"
#include "game/rules/cues.h"

#include <algorithm>

namespace {

void ShiftRow(int row, SlideDirection direction) {
    auto& b = board.cells;
    if (direction == SlideLeft) {
        int16_t saved = b[0][row];
        for (int i = 0; i < 8; ++i)
            b[i][row] = b[i + 1][row];
        b[8][row] = saved;
    } else {
        int16_t saved = b[8][row];
        for (int i = 8; i >= 1; --i)
            b[i][row] = b[i - 1][row];
        b[0][row] = saved;
    }
}

void WaitMouseRelease() {
    if (gameHooks.waitMouseRelease) gameHooks.waitMouseRelease();
}

} // namespace

bool StartSlide(int row, SlideDirection direction) {
    if (row < 0 || row >= kBoardSize) return false;
    if (SlideRunning() || board.fallOffset != 0 || counters.gameOver || board.spinState != NoSpin)
        return false;
    if (settings.gameMode == Puzzle && counters.movesLeft <= 0) return false;

    PlayCue(Cue::Move);
    board.slideStep = 0;
    if (settings.gameMode == Puzzle) counters.movesLeft--;
    board.slideTimer = NowStamp();
    ShiftRow(row, direction);
    if (direction == SlideLeft)
        board.slideLeftRow = static_cast<int16_t>(row);
    else
        board.slideRightRow = static_cast<int16_t>(row);
    if (settings.gameMode == TopScore)
        counters.score = static_cast<int16_t>(std::max(0, counters.score - 1));
    WaitMouseRelease();
    return true;
}

void StepSlide() {
    if (!SlideRunning()) return;
    if (MillisecondsSince(board.slideTimer) > static_cast<uint32_t>(SlideInterval())) {
        board.slideStep++;
        board.slideTimer = NowStamp();
    }
}

void EndSlideIfDone() {
    if (board.slideStep >= 34) {
        board.slideLeftRow = -1;
        board.slideRightRow = -1;
    }
}

bool StartSpin(SpinState direction) {
    if (counters.gameOver || board.spinState != NoSpin) return false;
    board.scoreFloor = static_cast<int16_t>(counters.score - 10);
    board.timeFloor = static_cast<int16_t>(counters.timeLeft - 25);
    if (board.fallOffset != 0) return false;
    switch (settings.gameMode) {
    case TimeAttack:
        if (counters.timeLeft <= 25) return false;
        break;
    case TopScore:
        if (counters.score <= 9) return false;
        break;
    case Puzzle:
        if (counters.movesLeft <= 0) return false;
        counters.movesLeft--;
        break;
    default:
        return false;
    }
    board.spinState = direction;
    board.boardZoom = 1.0f;
    board.spinAngle = 0.0f;
    board.spinTimer = NowStamp();
    PlayCue(Cue::Spin);
    WaitMouseRelease();
    return true;
}

Board RotatedClockwise(const Board& b) {
    Board turned{};
    for (int a = 0; a < kBoardSize; ++a)
        for (int r = 0; r < kBoardSize; ++r)
            turned[a][r] = b[r][8 - a];
    return turned;
}

Board RotatedCounterClockwise(const Board& b) {
    Board turned{};
    for (int a = 0; a < kBoardSize; ++a)
        for (int r = 0; r < kBoardSize; ++r)
            turned[a][r] = b[8 - r][a];
    return turned;
}

void StepSpin() {
    if (board.spinState == NoSpin) return;
    const bool clockwise = board.spinState == SpinClockwise;
    // Shrink during the first 14 degrees, grow back during the last 14.
    float angle = clockwise ? -board.spinAngle : board.spinAngle;
    if (angle < 15.0f) board.boardZoom -= 0.03f;
    if (angle > 75.0f) board.boardZoom += 0.03f;
    board.boardZoom = std::clamp(board.boardZoom, 0.6f, 1.0f);
    board.spinAngle += clockwise ? -1.0f : 1.0f;

    // The turn is paid while it runs, down to its floor at the most.
    if (MillisecondsSince(board.spinTimer) > static_cast<uint32_t>(SpinCostInterval())) {
        board.spinTimer = NowStamp();
        if (settings.gameMode == TopScore) {
            int score = counters.score - 1;
            score = std::max(score, 0);
            score = std::max(score, static_cast<int>(board.scoreFloor));
            counters.score = static_cast<int16_t>(score);
        } else if (settings.gameMode == TimeAttack) {
            int time = counters.timeLeft - 1;
            counters.timeLeft =
                static_cast<int16_t>(std::max(time, static_cast<int>(board.timeFloor)));
        }
    }

    if (board.spinAngle <= -90.0f || board.spinAngle >= 90.0f) {
        board.scratch = clockwise ? RotatedClockwise(board.cells) : board.cells;
        board.cells = clockwise ? board.scratch : RotatedCounterClockwise(board.scratch);
        board.spinState = NoSpin;
        board.spinAngle = 0.0f;
    }
}
