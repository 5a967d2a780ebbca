// The game's random draws. They come from the C library's rand(), seeded at
// start-up from the clock; tests seed it or script the draws.
#pragma once

int GameRand();
// Tests: a source of draws in place of rand() (nullptr restores rand()).
void SetRandomSource(int (*source)());
