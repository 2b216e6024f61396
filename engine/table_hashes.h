// The hashes (TableHash) of the pattern tables that this build generated; the generator writes
// their definitions, so that the programs accept only the tables of their own version.
#pragma once

#include <cstdint>

extern const uint64_t BUILT_BLACK_TABLE_HASH;
extern const uint64_t BUILT_WHITE_TABLE_HASH;
