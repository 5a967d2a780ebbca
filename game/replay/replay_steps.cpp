#include "game/replay/replay_steps.h"

#include "game/rules/board_frame.h"
#include "game/rules/modes.h"
#include "game/rules/moves.h"
#include "game/rules/random.h"

namespace replay {

void SetUpRecordedGame(const ReplayHeader& header) {
    settings.gameMode = header.gameMode;
    settings.difficulty = header.difficulty;
    settings.gameSpeed = header.startSpeed;
    counters.puzzleLevel = header.startLevel;
    SeedGameRandom(header.seed);
    counters.lastTick = NowStamp() - header.firstTickAge;
    board.fallTimer = NowStamp() - header.fallTimerAge;
    SetupGame();
}

void RunFrameRules() {
    StepBoardFrame(BoardPainter{});
    TickTimeAttackClock();
}

bool ApplyAction(uint8_t code) {
    if (code < kSlideRightBase) return StartSlide(code, SlideLeft);
    if (code < kTurnCounterClockwise) return StartSlide(code - kSlideRightBase, SlideRight);
    if (code == kTurnCounterClockwise) return StartSpin(SpinCounterClockwise);
    if (code == kTurnClockwise) return StartSpin(SpinClockwise);
    if (code > kSpeedBase && code <= kSpeedBase + 5) {
        settings.gameSpeed = static_cast<int16_t>(code - kSpeedBase);
        return true;
    }
    return false;
}

uint8_t SlideCode(int row, SlideDirection direction) {
    return static_cast<uint8_t>(direction == SlideLeft ? row : kSlideRightBase + row);
}

uint8_t TurnCode(SpinState direction) {
    return direction == SpinClockwise ? kTurnClockwise : kTurnCounterClockwise;
}

uint8_t SpeedCode(int16_t speed) {
    return static_cast<uint8_t>(kSpeedBase + speed);
}

} // namespace replay
