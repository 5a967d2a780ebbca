// A recorded game as data, and its file form (docs/REPLAY.md). A game is a
// pure function of its start (mode, difficulty, speed, seed, the timers it
// inherits), its frame times and its accepted actions, so that is all a
// recording holds. Reading checks every bound before anything is kept: the
// bytes come from players and from the network. No platform library here:
// the score server reads and writes recordings with this alone (and zlib).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace replay {

constexpr uint8_t kFormatVersion = 1;
// Goes up whenever a rule changes what a recorded game comes to: a replay
// of other rules is refused, never guessed at.
constexpr uint32_t kRulesVersion = 1;

// Bounds a reader enforces (and a recorder keeps to).
constexpr size_t kMaxFileBytes = 1u << 20;          // compressed, the whole file
constexpr size_t kMaxBodyBytes = 8u << 20;          // decompressed
constexpr uint32_t kMaxFrames = 800000;             // > 3 h at the 14 ms pace
constexpr uint32_t kMaxActions = 200000;            // a move takes several frames
constexpr uint32_t kMaxGameMilliseconds = 10800000; // 3 hours from first to last frame
constexpr size_t kMaxTokenBytes = 64;

// How the game ended, as the recording claims it.
enum class Outcome : uint8_t {
    Unfinished = 0, // left, restarted or cut off before its end
    Result = 1,     // over, with a result for the highscore tables
    NoResult = 2,   // over without one (TimeAttack's time ran out, Puzzle)
};

// Action codes: slides 0..8 (row 0..8 to the left) and 9..17 (to the
// right), 18 turns counter-clockwise, 19 clockwise, 21..25 set the game
// speed to 1..5.
constexpr uint8_t kSlideRightBase = 9;
constexpr uint8_t kTurnCounterClockwise = 18;
constexpr uint8_t kTurnClockwise = 19;
constexpr uint8_t kSpeedBase = 20; // speed s is kSpeedBase + s
bool ValidActionCode(uint8_t code);

struct ReplayHeader {
    uint32_t rulesVersion = kRulesVersion;
    uint8_t gameMode = 1;   // 1 TimeAttack, 2 TopScore, 3 Puzzle
    uint8_t difficulty = 1; // 1..3
    uint8_t startSpeed = 3; // 1..5
    uint8_t startLevel = 1; // the Puzzle level played first (1..10); 1 otherwise
    uint64_t seed = 0;      // the game's random generator (game/rules/random.h)
    std::string token;      // the score server's, empty when there was none
    Outcome outcome = Outcome::Unfinished;
    int32_t claimedResult = 0; // what the tables were told; 0 unless Outcome::Result
    // Milliseconds from the TimeAttack clock's last tick, and from the fall
    // timer's last stamp, to the first frame: a game inherits both.
    uint32_t firstTickAge = 0;
    uint32_t fallTimerAge = 0;
};

struct ReplayAction {
    uint32_t frame = 0; // the frame it was accepted on, after that frame's rules ran
    uint8_t code = 0;
};

struct Replay {
    ReplayHeader header;
    // Frame 0 sets the game up, at time 0; frame i runs frameGaps[i-1]
    // milliseconds after frame i-1. So frames = frameGaps.size() + 1.
    std::vector<uint32_t> frameGaps;
    std::vector<ReplayAction> actions; // in the order accepted
    uint32_t FrameCount() const { return static_cast<uint32_t>(frameGaps.size() + 1); }
};

enum class ReadError {
    None,
    TooLarge,      // over kMaxFileBytes, or decompresses past kMaxBodyBytes
    NotAReplay,    // no magic
    NewerFormat,   // a format version this reader does not know
    Corrupt,       // the compressed stream is broken or followed by bytes
    Truncated,     // the body ends inside a field
    BadField,      // a value out of its range
    OverBounds,    // frames, actions or length past the bounds above
    TrailingBytes, // the body goes on after its last action
};
const char* ReadErrorText(ReadError error);

ReadError ReadReplay(const uint8_t* data, size_t size, Replay& out);
// The file form; empty when `replay` breaks a bound (then no reader would
// accept it either).
std::vector<uint8_t> WriteReplay(const Replay& replay);

} // namespace replay
