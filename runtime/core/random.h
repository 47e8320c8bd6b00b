// core: the language's random numbers, one process-wide generator of the
// ISAAC family (state in RuntimeState::random). Each draw runs a whole
// generation pass and hands out its first word only: seeded programs rely on
// that exact sequence.
#pragma once

#include <cstdint>  // Required for: int32_t, uint32_t

// Initialises the whole state from the seed and runs one silent pass.
void seedRandom(int32_t seed);
// The language's seed command.
void seedRandomCommand(int32_t seed);
// One draw.
uint32_t nextRandom();
// 0..n inclusive; 0 without a draw when n <= 0.
int32_t randomInt(int32_t n);
