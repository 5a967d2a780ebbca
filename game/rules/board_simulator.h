// A headless driver for the real board rules: it owns the clock while it
// lives and steps the game's own board frame on it, so a caller can say
// "after this move and its cascades the board is X". Used by the tests, the
// level tool and the bot.
#pragma once
#include "game/rules/game_state.h"

#include <string>
#include <vector>

// A move in a compact form: slides are rows 0..8 to the left (0..8) or to
// the right (9..17); 18 turns counter-clockwise, 19 clockwise.
struct BoardMove {
    int code = 0;
    static constexpr int kCount = 20;
    static BoardMove SlideLeftRow(int row) { return {row}; }
    static BoardMove SlideRightRow(int row) { return {9 + row}; }
    static BoardMove CounterClockwise() { return {18}; }
    static BoardMove Clockwise() { return {19}; }
    // "L3" (row 3 to the left), "R0", "CW", "CCW"; returns false on bad text.
    static bool Parse(const std::string& text, BoardMove& out);
    std::string Name() const;
};

class BoardSimulator {
  public:
    explicit BoardSimulator(int frameMilliseconds = 15);
    ~BoardSimulator();
    BoardSimulator(const BoardSimulator&) = delete;
    BoardSimulator& operator=(const BoardSimulator&) = delete;

    // Moves the clock on by `milliseconds` without running a frame.
    void Advance(int milliseconds);
    // One playing frame of the board, after the clock moved one frame on.
    void Frame();
    // Runs frames until the board is at rest; returns the frames run, or -1
    // when it did not come to rest within `maxFrames`.
    int Settle(int maxFrames = 20000);
    // Starts the move as a click would; false when the game refused it.
    bool Start(BoardMove move);
    // Start, then Settle; false when refused or it never came to rest.
    bool Play(BoardMove move);

    // At rest: nothing animates, nothing would fall, and the last scan found
    // no line.
    static bool Still();
    uint32_t Now() const;

  private:
    int frameMilliseconds_;
};
