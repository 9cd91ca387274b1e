#include "random.h"

namespace {
uint32_t seed = 0;

uint32_t Next() {
    seed = seed * 0x08088405u + 1u;
    return seed;
}
} // namespace

double RandomUnit() {
    return Next() * (1.0 / 4294967296.0);
}

int32_t RandomBelow(int32_t n) {
    if (n < 1) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(Next()) * static_cast<uint32_t>(n)) >> 32);
}

void ResetRandom(uint32_t s) {
    seed = s;
}
