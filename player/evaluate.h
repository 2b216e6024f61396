// The score of a position at the horizon of the search, computer to move.
#pragma once

#include <cstdint>

int32_t EvaluatePosition();
