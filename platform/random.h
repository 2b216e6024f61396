// One pseudo-random generator per thread, values 0 .. 32767. Each thread seeds its own.
#pragma once

#include <cstdint>

void SeedRandom(uint32_t seed);
int32_t NextRandom();
