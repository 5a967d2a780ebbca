// The game's program-wide state, grouped by what belongs together: the
// settings the player chooses, the counters of the running game, and the
// board with its animations. One instance of each; a test resets the game
// with one assignment each (ResetGameState).
#pragma once
#include <array>
#include <cstdint>

// Board[column][row]: column 0 left, row 0 at the top; the nine cells of one
// column lie together.
using Board = std::array<std::array<int16_t, 9>, 9>;
constexpr int kBoardSize = 9;

// Cell codes besides the colours 1..7.
constexpr int16_t kBlackBall = 8;
constexpr int16_t kVanishing = -1;
constexpr int16_t kEmpty = -2;
constexpr int16_t kTaken = -3; // exists only inside one gravity pass

enum GameMode : int16_t { TimeAttack = 1, TopScore = 2, Puzzle = 3 };
enum SpinState : int16_t { NoSpin = 0, SpinClockwise = 1, SpinCounterClockwise = 2 };
enum SlideDirection : int16_t { SlideLeft = 0, SlideRight = 1 };

struct GameSettings {
    int16_t gameMode = TimeAttack;
    int16_t difficulty = 1; // 1 easy, 2 average, 3 hard: sets the supply
    int16_t gameSpeed = 3;  // 1..5, paces the board, not the clock
    int16_t sfxVolume = 80; // 1..99
    int16_t musicVolume = 99;
    int32_t windowed = 1;     // from the preferences file
    int32_t onlineScores = 0; // off until the preferences file says otherwise
};

struct GameCounters {
    int16_t timeLeft = 0; // seconds; the TimeAttack clock
    int16_t score = 0;    // units of ten displayed points
    int16_t ballsLeft = 0;
    int16_t movesLeft = 0;
    int16_t puzzleLevel = 1; // 1..10, 11 once the last level is cleared
    uint8_t gameOver = 0;
    uint8_t boardReady = 0;
    uint8_t levelUnavailable = 0; // the level file could not be read
    uint32_t lastTick = 0;        // TimeAttack clock's time stamp
    // Set when the game ends with a result for the highscore tables:
    // TimeAttack's seconds left, TopScore's displayed points. -1 otherwise.
    int32_t tableResult = -1;
};

struct BoardState {
    Board cells{};
    Board scratch{}; // line-search marks and the quarter turn's copy
    int16_t fallOffset = 0;
    uint8_t clearing = 0;
    int16_t animStep = 0; // vanishing frame (and the mode-selection title)
    uint32_t animTimer = 0;
    uint32_t fallTimer = 0;
    // A slide counts its pixels apart from the vanishing, so both end as they
    // should when they overlap.
    int16_t slideLeftRow = -1;
    int16_t slideRightRow = -1;
    int16_t slideStep = 0;
    uint32_t slideTimer = 0;
    int16_t spinState = NoSpin;
    float spinAngle = 0.0f;
    float boardZoom = 1.0f;
    uint32_t spinTimer = 0; // cost ticks of the running turn
    int16_t scoreFloor = 0;
    int16_t timeFloor = 0;
};

extern GameSettings settings;
extern GameCounters counters;
extern BoardState board;

// Back to the state at program start.
void ResetGameState();

// The clock as an unsigned time stamp; "more than N ms since t" is
// MillisecondsSince(t) > N, an unsigned difference that survives wrapping.
// It is read once per frame and every rule reads that one value, so a frame
// is a function of its time alone and a recorded game replays exactly.
uint32_t NowStamp();
// Reads the clock for the frame about to run.
void ReadFrameClock();
// Sets the frame's time from elsewhere: a replay, the headless simulator.
void SetFrameClock(uint32_t stamp);
uint32_t MillisecondsSince(uint32_t stamp);

// True while the board animates: a slide, turn, vanishing or fall runs.
bool BoardAnimating();
bool SlideRunning();
