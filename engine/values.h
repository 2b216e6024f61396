// Point values: each empty point's line values for both colours and their sums, kept
// current incrementally after every change of one cell of the engine board.
#pragma once

#include <cstdint>

#include "engine/board.h"

constexpr int32_t FIVE_VALUE = 127;  // a point value at or above it completes a five

extern int32_t g_blackLine[POINT_COUNT][4];  // slot = LineDirection
extern int32_t g_whiteLine[POINT_COUNT][4];
// Aligned and padded to whole 16-byte blocks so that scans can read four points at a time;
// the padding stays 0.
constexpr int POINT_COUNT_PADDED = (POINT_COUNT + 3) / 4 * 4;
alignas(16) extern int32_t g_blackValue[POINT_COUNT_PADDED];  // sum of the four Black slots
alignas(16) extern int32_t g_whiteValue[POINT_COUNT_PADDED];

// Kept with the point values, so that the evaluation need not scan the whole board: the
// totals of each colour's point values, and which points reach NOTABLE_VALUE (bit p % 64 of
// word p / 64), the only points it looks at one by one.
constexpr int32_t NOTABLE_VALUE = 13;
constexpr int32_t THREAT_LINE_VALUE = 10;
constexpr int SUMMARY_WORDS = (POINT_COUNT + 63) / 64;
struct ValueSummary {
    int32_t blackTotal;
    int32_t whiteTotal;
    uint64_t blackNotable[SUMMARY_WORDS];
    uint64_t whiteNotable[SUMMARY_WORDS];
    bool operator==(const ValueSummary&) const = default;
};
extern ValueSummary g_valueSummary;

// Points where one of a colour's lines is an open three or better (THREAT_LINE_VALUE or more),
// whatever the sum of its other lines: where the threat searches look. Kept only while switched
// on, so that the levels' searches, which never look, do not pay for them.
struct ThreatPoints {
    uint64_t black[SUMMARY_WORDS];
    uint64_t white[SUMMARY_WORDS];
    bool operator==(const ThreatPoints&) const = default;
};
extern ThreatPoints g_threatPoints;
// Switches their upkeep on (recomputing them from the line values, unless already on) or off;
// returns whether it was on.
bool KeepThreatPoints(bool on);

// Recomputes what is kept beside the values (the summary, the threat points while kept, and
// each point's line indices)
// from the value arrays and the engine board, for code that writes those directly.
void RebuildKeptState();

// Re-evaluates (x, y) and its neighbours on the four lines after its cell changed.
void UpdateValuesAround(int x, int y);

// Zeroes all line and point values and their summary.
void ClearValues();
