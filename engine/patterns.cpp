#include "engine/patterns.h"

int8_t g_blackTable[BLACK_TABLE_BYTES];
int8_t g_whiteTable[WHITE_TABLE_BYTES];
LinePair g_linePairs[2][LINE_INDEX_COUNT];

void BuildLinePairs() {
    for (int half = 0; half < 2; ++half) {
        for (int32_t i = 0; i < LINE_INDEX_COUNT; ++i) {
            g_linePairs[half][i] = {g_blackTable[half * LINE_INDEX_COUNT + i], g_whiteTable[i]};
        }
    }
}

namespace {

inline void LookupLine(int x, int y, int step, int32_t* black, int32_t* white) {
    const int32_t index = CellLineIndex(CellIndex(x, y), step);
    const LinePair pair = g_linePairs[g_restricted][index];
    *black = pair.black;
    *white = pair.white;
}

}  // namespace

int32_t LineIndex(int x, int y, int d) {
    return CellLineIndex(CellIndex(x, y), LINE_STEP[d]);
}

void LookupRow(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_HORIZONTAL], black, white);
}
void LookupColumn(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_VERTICAL], black, white);
}
void LookupAntiDiagonal(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_ANTIDIAGONAL], black, white);
}
void LookupDiagonal(int x, int y, int32_t* black, int32_t* white) {
    LookupLine(x, y, LINE_STEP[DIR_DIAGONAL], black, white);
}

uint64_t TableHash(const int8_t* bytes, size_t size) {
    uint64_t hash = 0xcbf29ce484222325u;  // 64-bit FNV-1a
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ static_cast<uint8_t>(bytes[i])) * 0x100000001b3u;
    return hash;
}
