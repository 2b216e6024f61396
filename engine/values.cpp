#include "engine/values.h"

#include <cstring>

#include "engine/patterns.h"

int32_t g_blackLine[POINT_COUNT][4];
int32_t g_whiteLine[POINT_COUNT][4];
alignas(16) int32_t g_blackValue[POINT_COUNT_PADDED];
alignas(16) int32_t g_whiteValue[POINT_COUNT_PADDED];

ValueSummary g_valueSummary;
ThreatPoints g_threatPoints;

namespace {
bool s_keepThreatPoints = false;
}  // namespace

void ClearValues() {
    g_valueSummary = ValueSummary{};
    g_threatPoints = ThreatPoints{};
    std::memset(g_blackLine, 0, sizeof g_blackLine);
    std::memset(g_whiteLine, 0, sizeof g_whiteLine);
    std::memset(g_blackValue, 0, sizeof g_blackValue);
    std::memset(g_whiteValue, 0, sizeof g_whiteValue);
}

namespace {

struct Ray {
    int cellStep;   // along the padded board
    int pointStep;  // along the point index
    int slot;
};

// Each neighbour lies on exactly one ray, so the order does not change the result.
constexpr Ray RAYS[8] = {
    {-1, -1, DIR_HORIZONTAL},   {1, 1, DIR_HORIZONTAL},        // left, right
    {-29, -19, DIR_VERTICAL},   {29, 19, DIR_VERTICAL},        // up, down
    {28, 18, DIR_ANTIDIAGONAL}, {-28, -18, DIR_ANTIDIAGONAL},  // down-left, up-right
    {-30, -20, DIR_DIAGONAL},   {30, 20, DIR_DIAGONAL},        // up-left, down-right
};

// Records that point p's values changed from (oldBlack, oldWhite) to (black, white).
inline void NoteChange(int p, int32_t oldBlack, int32_t oldWhite, int32_t black, int32_t white) {
    g_valueSummary.blackTotal += black - oldBlack;
    g_valueSummary.whiteTotal += white - oldWhite;
    const uint64_t bit = uint64_t{1} << (p & 63);
    uint64_t& b = g_valueSummary.blackNotable[p >> 6];
    uint64_t& w = g_valueSummary.whiteNotable[p >> 6];
    b = (b & ~bit) | (black >= NOTABLE_VALUE ? bit : 0);
    w = (w & ~bit) | (white >= NOTABLE_VALUE ? bit : 0);
}

inline bool HasThreatLine(const int32_t* l) {
    return l[0] >= THREAT_LINE_VALUE || l[1] >= THREAT_LINE_VALUE || l[2] >= THREAT_LINE_VALUE ||
           l[3] >= THREAT_LINE_VALUE;
}

// Records point p's threat bits from its current line values.
inline void NoteThreats(int p) {
    const uint64_t bit = uint64_t{1} << (p & 63);
    uint64_t& b = g_threatPoints.black[p >> 6];
    uint64_t& w = g_threatPoints.white[p >> 6];
    b = (b & ~bit) | (HasThreatLine(g_blackLine[p]) ? bit : 0);
    w = (w & ~bit) | (HasThreatLine(g_whiteLine[p]) ? bit : 0);
}

}  // namespace

namespace {

// Every point's line index on each direction, kept current as cells change (for occupied
// points too, for when they are emptied again), and the cells as those indices last saw them.
int32_t g_lineIndex[POINT_COUNT][4];
uint8_t g_indexedCells[BOARD_CELLS];

// Bit position of the cell at offset t (-5..-1, +1..+5) in a line index.
constexpr int IndexShift(int t) {
    return 2 * (9 - (t < 0 ? t + 5 : t + 4));
}

}  // namespace

void RebuildKeptState() {
    g_valueSummary = ValueSummary{};
    for (int p = 0; p < POINT_COUNT; ++p) {
        NoteChange(p, 0, 0, g_blackValue[p], g_whiteValue[p]);
        if (s_keepThreatPoints) NoteThreats(p);
    }
    for (int p = 0; p < POINT_COUNT; ++p) {
        for (int d = 0; d < 4; ++d)
            g_lineIndex[p][d] = LineIndex(p % BOARD_SIZE, p / BOARD_SIZE, d);
    }
    std::memcpy(g_indexedCells, g_board, sizeof g_indexedCells);
}

bool KeepThreatPoints(bool on) {
    const bool was = s_keepThreatPoints;
    if (on && !was) {
        for (int p = 0; p < POINT_COUNT; ++p)
            NoteThreats(p);
    }
    s_keepThreatPoints = on;
    return was;
}

void UpdateValuesAround(int x, int y) {
    const int p = PointIndex(x, y);
    const bool threats = s_keepThreatPoints;
    const int cell = CellIndex(x, y);
    const LinePair* pairs = g_linePairs[g_restricted];

    // The changed cell sits in the line index of every point up to five away on its lines:
    // move those indices by the change of its code.
    const int32_t change = g_board[cell] - g_indexedCells[cell];
    if (change != 0) {
        g_indexedCells[cell] = g_board[cell];
        for (const Ray& ray : RAYS) {
            // Seen from a point beyond it along the line's own step, the cell lies behind it.
            const bool behind = ray.cellStep == LINE_STEP[ray.slot];
            int c = cell, q = p;
            for (int i = 1; i <= BOARD_PAD; ++i) {
                c += ray.cellStep;
                q += ray.pointStep;
                if (g_board[c] == CELL_BORDER) break;
                g_lineIndex[q][ray.slot] += change * (1 << IndexShift(behind ? -i : i));
            }
        }
    }

    const int32_t oldBlack = g_blackValue[p], oldWhite = g_whiteValue[p];
    if (g_board[cell] != CELL_EMPTY) {
        std::memset(g_blackLine[p], 0, sizeof g_blackLine[p]);
        std::memset(g_whiteLine[p], 0, sizeof g_whiteLine[p]);
        g_blackValue[p] = 0;
        g_whiteValue[p] = 0;
    } else {
        int32_t* b = g_blackLine[p];
        int32_t* w = g_whiteLine[p];
        for (int d = 0; d < 4; ++d) {
            const LinePair pair = pairs[g_lineIndex[p][d]];
            b[d] = pair.black;
            w[d] = pair.white;
        }
        g_blackValue[p] = b[0] + b[1] + b[2] + b[3];
        g_whiteValue[p] = w[0] + w[1] + w[2] + w[3];
    }
    NoteChange(p, oldBlack, oldWhite, g_blackValue[p], g_whiteValue[p]);
    if (threats) NoteThreats(p);

    // Without restrictions the tables ignore the fifth cell on each side, so four suffice.
    // The frame is as wide as the window, so a ray always meets a border cell before it
    // could leave the padded board.
    const int window = g_restricted + 5;
    for (const Ray& ray : RAYS) {
        int c = cell, q = p;
        for (int i = 1; i < window; ++i) {
            c += ray.cellStep;
            q += ray.pointStep;
            const uint8_t code = g_board[c];
            if (code == CELL_BORDER) break;
            if (code != CELL_EMPTY) continue;  // a stone does not end the ray
            // Only slot d changed, so the sums move by the difference.
            const LinePair pair = pairs[g_lineIndex[q][ray.slot]];
            const int32_t nb = pair.black, nw = pair.white;
            const int32_t oldB = g_blackValue[q], oldW = g_whiteValue[q];
            const int32_t newB = oldB + nb - g_blackLine[q][ray.slot];
            const int32_t newW = oldW + nw - g_whiteLine[q][ray.slot];
            g_blackValue[q] = newB;
            g_whiteValue[q] = newW;
            g_blackLine[q][ray.slot] = nb;
            g_whiteLine[q][ray.slot] = nw;
            NoteChange(q, oldB, oldW, newB, newW);
            if (threats) NoteThreats(q);
        }
    }
}
