#include "support/bot_recording.h"

#include "game/rules/board_rules.h"
#include "game/rules/game_state.h"
#include "game/replay/replay_steps.h"

#include <utility>

namespace {

bool HasLine(const Board& cells) {
    for (int c = 0; c < kBoardSize; ++c)
        for (int r = 0; r < kBoardSize; ++r) {
            const int16_t code = cells[c][r];
            if (code < 1 || code > kBlackBall) continue;
            if (c + 2 < kBoardSize && cells[c + 1][r] == code && cells[c + 2][r] == code)
                return true;
            if (r + 2 < kBoardSize && cells[c][r + 1] == code && cells[c][r + 2] == code)
                return true;
        }
    return false;
}

// Balls drop to the lowest free cell of their column, as they will.
void Settle(Board& cells) {
    for (auto& column : cells) {
        int bottom = kBoardSize - 1;
        for (int r = kBoardSize - 1; r >= 0; --r)
            if (column[r] != kEmpty) std::swap(column[r], column[bottom--]);
    }
}

int BallsOnBoard() {
    int balls = 0;
    for (int count : CountBalls())
        balls += count;
    return balls;
}

Board Slid(const Board& cells, uint8_t code) {
    const int row = code % kBoardSize;
    const bool left = code < replay::kSlideRightBase;
    Board moved = cells;
    for (int c = 0; c < kBoardSize; ++c)
        moved[c][row] = cells[left ? (c + 1) % kBoardSize : (c + kBoardSize - 1) % kBoardSize][row];
    Settle(moved);
    return moved;
}

// A slide that makes a line on the board as it stands, or the first of two
// that do; otherwise a turn now and then (it costs points or time) or a
// slide of some row, which lets balls fall into new places.
// `stuck`: the last moves cleared nothing (the bot's picture of falling
// balls is rough), so it stirs instead of circling.
uint8_t ChooseMove(uint64_t& stir, bool stuck) {
    constexpr uint8_t kSlides = 2 * kBoardSize;
    for (uint8_t code = 0; code < kSlides && !stuck; ++code)
        if (HasLine(Slid(board.cells, code))) return code;
    for (uint8_t code = 0; code < kSlides && !stuck; ++code) {
        const Board once = Slid(board.cells, code);
        for (uint8_t next = 0; next < kSlides; ++next)
            if (HasLine(Slid(once, next))) return code;
    }
    stir = stir * 6364136223846793005u + 1442695040888963407u;
    const uint32_t pick = static_cast<uint32_t>(stir >> 33);
    if (pick % 4 == 0) return replay::TurnCode(pick % 8 ? SpinClockwise : SpinCounterClockwise);
    return static_cast<uint8_t>(pick % kSlides);
}

} // namespace

replay::Replay RecordBotGame(const replay::ReplayHeader& start, const BotGameStyle& style) {
    replay::Replay recording;
    recording.header = start;
    ResetGameState();
    uint32_t now = 5000000, resting = 0;
    uint64_t stir = start.seed;
    int ballsBefore = 0, idleMoves = 0;
    for (uint32_t frame = 0; frame < style.maxFrames; ++frame) {
        if (frame > 0) {
            now += style.frameGap;
            recording.frameGaps.push_back(style.frameGap);
        }
        SetFrameClock(now);
        if (frame == 0) replay::SetUpRecordedGame(start);
        replay::RunFrameRules();
        if (counters.gameOver) break;
        const bool still = !BoardAnimating() && !BallCanFall();
        resting = still ? resting + 1 : 0;
        if (resting <= style.thinkFrames) continue;
        const int balls = BallsOnBoard();
        idleMoves = balls < ballsBefore ? 0 : idleMoves + 1;
        ballsBefore = balls;
        const bool stuck = idleMoves > 4 && idleMoves % 3 != 0;
        uint8_t code = ChooseMove(stir, stuck);
        bool accepted = replay::ApplyAction(code);
        if (!accepted) // a turn it cannot afford
            accepted = replay::ApplyAction(code = ChooseMove(stir, true));
        if (accepted) recording.actions.push_back({frame, code});
        resting = 0;
    }
    recording.header.outcome = !counters.gameOver          ? replay::Outcome::Unfinished
                               : counters.tableResult >= 0 ? replay::Outcome::Result
                                                           : replay::Outcome::NoResult;
    recording.header.claimedResult = counters.tableResult >= 0 ? counters.tableResult : 0;
    return recording;
}
