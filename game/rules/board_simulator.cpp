#include "game/rules/board_simulator.h"

#include "game/rules/board_frame.h"
#include "game/rules/board_rules.h"
#include "game/rules/moves.h"
#include "game/rules/rules_clock.h"

namespace {

int32_t simulatedClock = 0;
int32_t SimulatedMilliseconds() {
    return simulatedClock;
}

} // namespace

bool BoardMove::Parse(const std::string& text, BoardMove& out) {
    if (text == "CW") return out = Clockwise(), true;
    if (text == "CCW") return out = CounterClockwise(), true;
    if (text.size() == 2 && (text[0] == 'L' || text[0] == 'R') && text[1] >= '0' &&
        text[1] <= '8') {
        int row = text[1] - '0';
        out = text[0] == 'L' ? SlideLeftRow(row) : SlideRightRow(row);
        return true;
    }
    return false;
}

std::string BoardMove::Name() const {
    if (code == 18) return "CCW";
    if (code == 19) return "CW";
    return std::string(1, code < 9 ? 'L' : 'R') + std::to_string(code % 9);
}

BoardSimulator::BoardSimulator(int frameMilliseconds) : frameMilliseconds_(frameMilliseconds) {
    // Start far from zero so the first interval test is not an edge case.
    simulatedClock = 1000000;
    SetRulesClock(SimulatedMilliseconds);
    SetFrameClock(Now());
}

BoardSimulator::~BoardSimulator() {
    SetRulesClock(nullptr);
}

void BoardSimulator::Advance(int milliseconds) {
    simulatedClock += milliseconds;
    SetFrameClock(Now());
}

uint32_t BoardSimulator::Now() const {
    return static_cast<uint32_t>(simulatedClock);
}

void BoardSimulator::Frame() {
    Advance(frameMilliseconds_);
    StepBoardFrame(BoardPainter{});
}

bool BoardSimulator::Still() {
    return !BoardAnimating() && !BallCanFall();
}

int BoardSimulator::Settle(int maxFrames) {
    for (int frames = 1; frames <= maxFrames; ++frames) {
        Frame();
        if (Still()) return frames;
    }
    return -1;
}

bool BoardSimulator::Start(BoardMove move) {
    if (move.code < 9) return StartSlide(move.code, SlideLeft);
    if (move.code < 18) return StartSlide(move.code - 9, SlideRight);
    return StartSpin(move.code == 19 ? SpinClockwise : SpinCounterClockwise);
}

bool BoardSimulator::Play(BoardMove move) {
    return Start(move) && Settle() >= 0;
}
