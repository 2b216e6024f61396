#include "player/evaluate.h"

#include <bit>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/values.h"
#include "player/game_state.h"
#include "player/search.h"

namespace {

// Threat counts of one scan: bt[c] / wt[c] count the points whose value is 26 or more and
// whose threat code is c; bm / wm the minor points (13 .. 25); bs / ws the sums.
struct Scan {
    int32_t bt[6] = {};
    int32_t wt[5] = {};
    int32_t bm = 0, wm = 0;
    int32_t bs = 0, ws = 0;
};

Scan ScanPoints(bool countBlackMinor, bool countWhiteMinor) {
    Scan s;
    s.bs = g_valueSummary.blackTotal;
    s.ws = g_valueSummary.whiteTotal;
    // Points below 13 only add to the sums: visit the others alone.
    for (int word = 0; word < SUMMARY_WORDS; ++word) {
        for (uint64_t bits = g_valueSummary.blackNotable[word]; bits; bits &= bits - 1) {
            const int p = word * 64 + std::countr_zero(bits);
            if (g_blackValue[p] >= 26)
                ++s.bt[ClassifyBlack(p % BOARD_SIZE, p / BOARD_SIZE)];
            else if (countBlackMinor)
                ++s.bm;
        }
        for (uint64_t bits = g_valueSummary.whiteNotable[word]; bits; bits &= bits - 1) {
            const int p = word * 64 + std::countr_zero(bits);
            if (g_whiteValue[p] >= 26)
                ++s.wt[ClassifyWhite(p % BOARD_SIZE, p / BOARD_SIZE)];
            else if (countWhiteMinor)
                ++s.wm;
        }
    }
    return s;
}

// Computer White, early or late, when neither side has a five point and White no four: what
// Black's fours and threes cost.
int32_t WhiteFacingBlackThreats(const Scan& s, int32_t base) {
    const int32_t* bt = s.bt;
    const int32_t* wt = s.wt;
    if (bt[1] > 0) {
        if (bt[1] > 1 || bt[2] > 0) return base - 466;
        return base + 4 * (wt[4] + s.wm) - 128 * bt[5];
    }
    if (bt[2] > 2) return base - 466;
    if (bt[2] > 0) return base + 4 * wt[4] - 128 * bt[5];
    return base + 32 * wt[4] + 4 * s.wm - 8 * bt[5] + 8;
}

// Computer White, fewer than 16 moves: Black's sum weighs more early in the game.
int32_t EvaluateWhiteEarly() {
    const Scan s = ScanPoints(true, true);
    const int32_t* bt = s.bt;
    const int32_t* wt = s.wt;
    const int32_t base = s.ws - (64 * s.bs) / (g_moveCount + 46);
    const int32_t adj = 36 * bt[4] - 4 * s.bm;
    if (wt[3] > 0) return SCORE_WIN + adj;
    if (bt[3] > 1) return SCORE_LOSS + adj;
    if (bt[3] == 1) {
        const int32_t threats = bt[1] + bt[2] + bt[5];
        if (threats > 0) return base - 512 * threats + adj;
        if (wt[1] + wt[4] > 1 || wt[2] > 2) return base + 356 + adj;
        if (wt[2] > 0 && wt[4] > 0) return base + 346 + adj;
        if (wt[2] > 0) return base + 29 * (wt[2] + wt[1] + 3) + 4 * wt[4] + adj;
        return base + 29 * (wt[1] + 4) + 4 * (wt[4] + s.wm) + adj;
    }
    if (wt[1] + wt[2] > 0) return base + 512 * (wt[1] + wt[2]) + adj;
    return WhiteFacingBlackThreats(s, base) + adj;
}

// Computer White, 16 moves or more.
int32_t EvaluateWhiteLate() {
    const Scan s = ScanPoints(false, true);
    const int32_t* bt = s.bt;
    const int32_t* wt = s.wt;
    const int32_t base = s.ws - s.bs;
    const int32_t adj = 36 * bt[4];
    if (wt[3] > 0) return SCORE_WIN + adj;
    if (bt[3] > 1) return SCORE_LOSS + adj;
    if (bt[3] == 1) {
        const int32_t threats = bt[1] + bt[2] + bt[5];
        if (threats > 0) return base - 512 * threats + adj;
        if (wt[1] + wt[4] > 1 || wt[2] > 2) return base + 460 + adj;
        if (wt[2] > 0 && wt[4] > 0) return base + 450 + adj;
        if (wt[2] > 0) return base + 29 * (wt[2] + wt[1] + 3) + 4 * s.wm + 16 * wt[4] + adj;
        return base + 29 * (wt[1] + 4) + 4 * s.wm + 16 * wt[4] + adj;
    }
    if (wt[2] > 0) return SCORE_WIN + adj;  // an open four while Black has no five point
    if (wt[1] > 0) return base + 512 * wt[1] + adj;
    return WhiteFacingBlackThreats(s, base) + adj;
}

// Computer Black. Under restrictions each point forbidden to Black costs 36.
int32_t EvaluateBlack() {
    const Scan s = ScanPoints(true, false);
    const int32_t* bt = s.bt;
    const int32_t* wt = s.wt;
    const int32_t base = s.bs - s.ws - 36 * bt[4];
    if (bt[3] > 0) return SCORE_WIN;
    if (wt[3] > 1) return SCORE_LOSS;
    if (wt[3] == 1) {
        const int32_t threats = wt[1] + wt[2] + wt[4];
        if (threats > 0) return base - 512 * threats;
        if (bt[1] + bt[4] > 1 || bt[2] > 2) return base + 460;
        if (bt[2] > 0 && bt[5] > 0) return base + 450;
        if (bt[5] > 1) return base + 356;
        if (bt[2] > 0) return base + 29 * (bt[2] + bt[1] + 3) + 4 * (s.bm + bt[5]);
        return base + 29 * (bt[1] + 4) + 4 * (s.bm + bt[5]);
    }
    if (bt[2] > 0) return SCORE_WIN;
    if (bt[1] > 0) return base + 512 * bt[1];
    if (wt[1] > 0) {
        if (wt[1] > 1 || wt[2] > 0) return base - 466;
        return base + 4 * (s.bm + bt[5]) - 128 * wt[4];
    }
    if (wt[2] > 2) return base - 466;
    if (wt[2] > 0) return base + 4 * bt[5] - 128 * wt[4];
    return base + 4 * s.bm + 32 * bt[5] + 8 - 8 * wt[4];
}

}  // namespace

int32_t EvaluatePosition() {
    ++g_searchNodes;
    if (g_humanBlack == 0) return EvaluateBlack();
    return g_moveCount < 16 ? EvaluateWhiteEarly() : EvaluateWhiteLate();
}
