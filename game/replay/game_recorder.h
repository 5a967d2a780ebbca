// Records the game on the play screen as it is played, and keeps the last
// one the player finished or left in $XDG_DATA_HOME/orbolo/ so they can
// watch it. The play screen tells it where a game starts, where each frame
// starts and where the game ends; the click and key handlers tell it each
// action the rules accepted.
#pragma once
#include "game/replay/replay_format.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The seed of the next game and the score server's token for it.
struct GameTicket {
    uint64_t seed = 0;
    std::string token;
};
// Where tickets come from (the score client fetches them ahead). A source
// that has none ready returns nothing: the game then draws its own seed
// and goes without a token. Never blocks the game's start.
void SetGameTicketSource(std::function<std::optional<GameTicket>()> source);

// A new game is set up on this frame: seeds the game's generator and
// notes the inherited timers. Call before SetupGame().
void BeginRecordedGame();
// Each later playing frame, before its rules run.
void RecordFrame();
// An action the rules accepted (replay_steps.h codes).
void RecordAction(uint8_t code);
// The game is over, or is being left: seals the recording and keeps it as
// the last game (written to LastGamePath()). Does nothing when no game is
// being recorded, so calling it twice is harmless.
void EndRecordedGame();
// No recording while a replay is being watched.
void SetRecordingEnabled(bool enabled);

// The last game sealed in this run, in file form; empty when none.
const std::vector<uint8_t>& LastGameReplay();
// $XDG_DATA_HOME/orbolo/last-game.orbolo-replay
std::string LastGamePath();
