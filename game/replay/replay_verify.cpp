#include "game/replay/replay_verify.h"

#include "game/rules/game_hooks.h"
#include "game/rules/game_state.h"
#include "game/replay/replay_steps.h"

#include <mutex>

namespace replay {

namespace {

std::mutex rulesInUse; // the rules' state is program-wide

// Any start works: the rules only compare differences of stamps.
constexpr uint32_t kStartStamp = 1000000;

struct RunEnd {
    long refusedAction = -1; // index into the actions
    long afterTheEnd = -1;   // first frame that ran with the game already over
};

// Plays `recording` on the program-wide game state, which it saves first
// and restores after, with no hooks into the rest of the game.
RunEnd Run(const Replay& recording, bool stopEarly,
           const std::function<void(uint32_t)>& afterFrame) {
    const GameSettings savedSettings = settings;
    const GameCounters savedCounters = counters;
    const BoardState savedBoard = board;
    const GameHooks savedHooks = gameHooks;
    ResetGameState();
    gameHooks = GameHooks{};

    RunEnd end;
    uint32_t now = kStartStamp;
    size_t next = 0; // the next action
    const auto& actions = recording.actions;
    for (uint32_t frame = 0; frame < recording.FrameCount(); ++frame) {
        if (frame > 0) now += recording.frameGaps[frame - 1];
        SetFrameClock(now);
        if (counters.gameOver && end.afterTheEnd < 0) {
            end.afterTheEnd = frame;
            if (stopEarly) break;
        }
        if (frame == 0) SetUpRecordedGame(recording.header);
        RunFrameRules();
        for (; next < actions.size() && actions[next].frame == frame; ++next) {
            if (counters.gameOver && end.afterTheEnd < 0) end.afterTheEnd = frame;
            if (!ApplyAction(actions[next].code) && end.refusedAction < 0)
                end.refusedAction = static_cast<long>(next);
        }
        if (afterFrame) afterFrame(frame);
        if (stopEarly && (end.refusedAction >= 0 || end.afterTheEnd >= 0)) break;
    }

    settings = savedSettings;
    counters = savedCounters;
    board = savedBoard;
    gameHooks = savedHooks;
    return end;
}

// Returns the first frame closer to the one before than the game's pace
// allows, 0 when none is.
uint32_t FirstFrameTooFast(const Replay& recording) {
    for (size_t i = 0; i < recording.frameGaps.size(); ++i)
        if (recording.frameGaps[i] < kMinFrameGap) return static_cast<uint32_t>(i + 1);
    return 0;
}

} // namespace

const char* VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Proven:
        return "proven";
    case Verdict::Unreadable:
        return "unreadable";
    case Verdict::OtherRules:
        return "recorded with other rules";
    case Verdict::NotScored:
        return "a game without a table";
    case Verdict::TooFast:
        return "frames faster than the game runs";
    case Verdict::RefusedAction:
        return "an action the rules refuse";
    case Verdict::AfterTheEnd:
        return "play after the game was over";
    case Verdict::ClaimMismatch:
        return "the claimed result is not the one played";
    }
    return "?";
}

ProvenGame VerifyReplay(const Replay& recording) {
    ProvenGame proven;
    proven.frames = recording.FrameCount();
    uint64_t length = 0;
    for (uint32_t gap : recording.frameGaps)
        length += gap;
    proven.lengthMilliseconds = static_cast<uint32_t>(length);

    const ReplayHeader& header = recording.header;
    if (header.rulesVersion != kRulesVersion) {
        proven.verdict = Verdict::OtherRules;
        return proven;
    }
    if (header.gameMode != TimeAttack && header.gameMode != TopScore) {
        proven.verdict = Verdict::NotScored;
        return proven;
    }
    if (const uint32_t fast = FirstFrameTooFast(recording)) {
        proven.verdict = Verdict::TooFast;
        proven.frame = fast;
        return proven;
    }

    std::lock_guard<std::mutex> lock(rulesInUse);
    Outcome outcome = Outcome::Unfinished;
    int32_t result = 0;
    const RunEnd end = Run(recording, true, [&](uint32_t) {
        if (!counters.gameOver) return;
        outcome = counters.tableResult >= 0 ? Outcome::Result : Outcome::NoResult;
        result = counters.tableResult >= 0 ? counters.tableResult : 0;
    });
    proven.outcome = outcome;
    proven.result = result;
    if (end.refusedAction >= 0) {
        proven.verdict = Verdict::RefusedAction;
        proven.frame = recording.actions[end.refusedAction].frame;
    } else if (end.afterTheEnd >= 0) {
        proven.verdict = Verdict::AfterTheEnd;
        proven.frame = static_cast<uint32_t>(end.afterTheEnd);
    } else if (header.outcome != outcome || header.claimedResult != result) {
        proven.verdict = Verdict::ClaimMismatch;
    } else {
        proven.verdict = Verdict::Proven;
    }
    return proven;
}

ProvenGame VerifyReplayBytes(const uint8_t* data, size_t size) {
    Replay recording;
    const ReadError error = ReadReplay(data, size, recording);
    if (error != ReadError::None) {
        ProvenGame refused;
        refused.readError = error;
        return refused;
    }
    return VerifyReplay(recording);
}

long ReplayFrames(const Replay& recording, const std::function<void(uint32_t frame)>& afterFrame) {
    std::lock_guard<std::mutex> lock(rulesInUse);
    return Run(recording, false, afterFrame).refusedAction;
}

} // namespace replay
