// After a finished TimeAttack or TopScore game: asks the score server,
// shows the dialog over the frozen screen, takes the name, submits it.
#pragma once
#include <cstdint>

void ShowGameOver(int16_t gameMode, int16_t difficulty, int32_t result);
