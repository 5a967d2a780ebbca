// Replays a recording through the real rules, headless, and tells what it
// proves. Never trusts the header's claim: the result is the one the rules
// reach. A recording is refused when it could not have come from the game:
// an action the rules refuse, frames closer than the game's pacing allows,
// frames after the game's end, other rules, or a claim that differs from
// the proof.
//
// The rules keep the game in program-wide state, so a process verifies one
// recording at a time (calls from several threads wait for each other) and
// must not run a game of its own meanwhile. Cost: about one board frame of
// the rules per recorded frame, no drawing (see bench/replay).
#pragma once
#include "game/replay/replay_format.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace replay {

// The game's pace: the display flips at most once per this many
// milliseconds, and every frame's time is when the flip before it returned,
// so no two frames of a real game are closer.
constexpr uint32_t kMinFrameGap = 14;

enum class Verdict {
    Proven,        // the recording holds; `outcome` and `result` are what it proves
    Unreadable,    // ReadReplay refused it (`readError` says why)
    OtherRules,    // recorded with other rules (rulesVersion)
    NotScored,     // a Puzzle game: no table takes its result
    TooFast,       // frames closer than the game's pace allows
    RefusedAction, // the rules refused an action at `frame`
    AfterTheEnd,   // frames or actions recorded after the game was over
    ClaimMismatch, // the header claims another outcome or result than proven
};
const char* VerdictText(Verdict verdict);

struct ProvenGame {
    Verdict verdict = Verdict::Unreadable;
    ReadError readError = ReadError::None;
    uint32_t frame = 0; // where the recording was refused
    // What the replay proves (also filled when the claim differs).
    Outcome outcome = Outcome::Unfinished;
    int32_t result = 0;
    uint32_t frames = 0;
    uint32_t lengthMilliseconds = 0; // first frame to last: compare with the token's age
};

// Verifies a recording already read.
ProvenGame VerifyReplay(const Replay& recording);
// Reads the file form, then verifies.
ProvenGame VerifyReplayBytes(const uint8_t* data, size_t size);

// Plays a recording through the rules without judging it, calling
// `afterFrame(frame)` once each frame's rules and actions have run, with the
// game state (game_state.h) as that frame left it. Returns the index of the
// first action the rules refused, or -1 when all were accepted. For tests
// and tools that compare a replay with the game it recorded.
long ReplayFrames(const Replay& recording, const std::function<void(uint32_t frame)>& afterFrame);

} // namespace replay
