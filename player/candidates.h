// Candidate lists of the search, kept as two parallel arrays so that the selection of the
// best eight can skip four values at a time.
#pragma once

#include <cstdint>

#include "engine/values.h"

struct CandidateList {
    alignas(16) int32_t value[POINT_COUNT_PADDED];
    int32_t point[POINT_COUNT_PADDED];
    int n = 0;
};

// Same result as SelectTopCandidates on the same entries: the first min(n, 8) entries
// become the highest, highest first, by the same exchanges.
void SelectTop(CandidateList& list);
