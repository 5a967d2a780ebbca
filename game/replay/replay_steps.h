// The rules' side of a recorded game, one definition shared by the game
// that records, the verifier and the watcher: how a game starts from a
// recording's header, what one frame's rules are, and what an action does.
#pragma once
#include "game/rules/game_state.h"
#include "game/replay/replay_format.h"

namespace replay {

// Sets up frame 0's game from `header` on the frame clock's current time:
// mode, difficulty, speed, Puzzle level, seed, inherited timers, new board.
void SetUpRecordedGame(const ReplayHeader& header);

// One frame's rules in the play screen's order, without drawing: the
// board's frame, then the TimeAttack clock. The play screen runs the same
// two with its drawing in between.
void RunFrameRules();

// Applies an action code as the player's click or key would; false when
// the rules refuse it.
bool ApplyAction(uint8_t code);

uint8_t SlideCode(int row, SlideDirection direction);
uint8_t TurnCode(SpinState direction);
uint8_t SpeedCode(int16_t speed);

} // namespace replay
