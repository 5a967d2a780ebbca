// The game's random draws: a generator of its own with a defined algorithm
// (SplitMix64, docs/REPLAY.md), seeded when a game is set up, so a seed gives
// the same board on every machine and C library. Tests may script the draws.
#pragma once
#include <cstdint>

// Starts the sequence a seed names.
void SeedGameRandom(uint64_t seed);
// Where the sequence stands: seeding with it later goes on from here (a
// bot that looks ahead puts the game's generator back this way).
uint64_t GameRandomState();
// The next draw, 0 .. 2^31 - 1; the rules take it modulo what they need.
int GameRand();
// Tests: a source of draws in place of the generator (nullptr restores it).
void SetRandomSource(int (*source)());
