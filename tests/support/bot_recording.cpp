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
            if (code < 1 || code > 7) continue;
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

// A slide that makes a line on the board as it stands; otherwise a turn now
// and then (it costs points or time) or a slide of some row, which lets
// balls fall into new places.
uint8_t ChooseMove(uint32_t& misses) {
    for (int row = 0; row < kBoardSize; ++row)
        for (SlideDirection direction : {SlideLeft, SlideRight}) {
            Board moved = board.cells;
            for (int c = 0; c < kBoardSize; ++c) {
                const int from = direction == SlideLeft ? (c + 1) % kBoardSize
                                                        : (c + kBoardSize - 1) % kBoardSize;
                moved[c][row] = board.cells[from][row];
            }
            Settle(moved);
            if (HasLine(moved)) return replay::SlideCode(row, direction);
        }
    ++misses;
    if (misses % 4 == 0) return replay::TurnCode(misses % 8 ? SpinClockwise : SpinCounterClockwise);
    return replay::SlideCode(static_cast<int>(misses * 7 % kBoardSize),
                             misses % 2 ? SlideLeft : SlideRight);
}

} // namespace

replay::Replay RecordBotGame(const replay::ReplayHeader& start, const BotGameStyle& style) {
    replay::Replay recording;
    recording.header = start;
    ResetGameState();
    uint32_t now = 5000000, resting = 0, misses = 0;
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
        uint8_t code = ChooseMove(misses);
        bool accepted = replay::ApplyAction(code);
        if (!accepted)
            accepted = replay::ApplyAction(code = ChooseMove(misses)); // a turn it cannot afford
        if (accepted) recording.actions.push_back({frame, code});
        resting = 0;
    }
    recording.header.outcome = !counters.gameOver          ? replay::Outcome::Unfinished
                               : counters.tableResult >= 0 ? replay::Outcome::Result
                                                           : replay::Outcome::NoResult;
    recording.header.claimedResult = counters.tableResult >= 0 ? counters.tableResult : 0;
    return recording;
}
