// The process-wide random generator behind demo data, jitter and random draws: a linear
// congruential generator whose seed is 0 at start, so each run repeats the same sequence.
#pragma once

#include <cstdint>

// A uniform number in [0, 1).
double RandomUnit();
// A uniform whole number in 0..n-1; 0 when n < 1.
int32_t RandomBelow(int32_t n);
// Restarts the sequence (tests use it to repeat a run).
void ResetRandom(uint32_t seed = 0);
