// Millisecond tick counter: an unsigned 32-bit count that wraps; take differences.
#pragma once

#include <cstdint>

uint32_t TickCount();
