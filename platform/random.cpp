#include "platform/random.h"

namespace {
thread_local uint32_t t_state = 1;
}

void SeedRandom(uint32_t seed) {
    t_state = seed;
}

// A linear congruential step; the upper bits are the better ones, so those are returned.
int32_t NextRandom() {
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int32_t>((t_state >> 16) & 0x7fff);
}
