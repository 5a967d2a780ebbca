// Keeps the token and seed for the next game ready: fetched from the score
// server in the background, so a game never waits for the network. A game
// that starts with none ready plays with a seed of its own and simply
// cannot be verified; offline or with a server that has no verified games
// the game plays exactly as without them.
#pragma once
#include "game/replay/game_recorder.h"

#include <optional>

// Starts fetching the first ticket from GameScoreTables() in the
// background.
void StartFetchingGameTickets();
// The ticket fetched ahead, if one is ready (and not too old to be
// accepted); starts fetching the next. Never blocks on the network.
std::optional<GameTicket> TakeGameTicket();
// Waits for the fetch under way to end (the program is closing).
void StopFetchingGameTickets();
