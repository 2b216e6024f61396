#include "engine/classes.h"

#include "engine/board.h"
#include "engine/patterns.h"
#include "engine/values.h"

namespace {

struct Counts {
    int threes = 0, fours = 0, openFours = 0, fives = 0, forbidden = 0;
};

inline Counts CountClasses(const int32_t* line) {
    int n[6] = {0, 0, 0, 0, 0, 0};
    for (int d = 0; d < 4; ++d)
        ++n[g_valueClass[line[d] + 128]];
    return {n[CLASS_THREE], n[CLASS_FOUR], n[CLASS_OPEN_FOUR], n[CLASS_FIVE], n[CLASS_FORBIDDEN]};
}

// The unrestricted judgement, shared by Black without restrictions and White; they differ
// only in the code of the double three.
inline int32_t ClassifyFree(const Counts& c, int32_t doubleThreeCode) {
    if (c.fives > 0) return 3;
    if (c.openFours > 0) return c.threes + c.fours == 0 ? 2 : 1;
    if (c.fours > 0) return c.threes + c.fours > 1 ? 1 : 0;
    if (c.threes > 1) return doubleThreeCode;
    return 0;
}

constexpr int32_t OVERLINE_VALUE = -128;  // the other forbidden line value is two fours on one line

// Black's restricted line value of the empty cell on direction d, read from the board as it
// stands with the trial stones; the value arrays know nothing of those.
inline int32_t TrialLineValue(int cell, int d) {
    return g_linePairs[1][CellLineIndex(cell, LINE_STEP[d])].black;
}

// Whether a Black stone on the empty cell would stand in a straight four along the line with
// this cell step: exactly four in a row, each end empty and giving exactly five. Read from the
// board, as the tables judge it, without a table lookup.
inline bool MakesStraightFour(int cell, int step) {
    int low = cell - step, high = cell + step;
    while (g_board[low] == CELL_BLACK)  // the frame of border cells ends every run
        low -= step;
    while (g_board[high] == CELL_BLACK)
        high += step;
    return high - low == 5 * step && g_board[low] == CELL_EMPTY && g_board[high] == CELL_EMPTY &&
           g_board[low - step] != CELL_BLACK && g_board[high + step] != CELL_BLACK;
}

int CountRealThrees(int cell, const int32_t* classes, int stones);

// Whether Black may not play the empty cell, on the board with `stones` trial stones standing,
// where it would make a straight four on direction d. With only one trial stone, on that line,
// its other three lines are as the value arrays hold them, when those are the restricted ones.
bool ForbiddenWithTrialStones(int cell, int d, int stones) {
    const bool held = stones == 1 && g_restricted == 1;
    const int32_t* values =
        g_blackLine[PointIndex(cell % BOARD_STRIDE - BOARD_PAD, cell / BOARD_STRIDE - BOARD_PAD)];
    int32_t classes[4];
    int n[6] = {0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        classes[k] = k == d ? CLASS_OPEN_FOUR : ClassOfValue(held ? values[k] : TrialLineValue(cell, k));
        ++n[classes[k]];
    }
    if (n[CLASS_FIVE] > 0) return false;
    if (n[CLASS_FOUR] + n[CLASS_OPEN_FOUR] > 1 || n[CLASS_FORBIDDEN] > 0) return true;
    if (n[CLASS_THREE] < 2) return false;
    if (stones >= MAX_TRIAL_STONES) return true;  // deeper than games go: the lines decide
    return CountRealThrees(cell, classes, stones) > 1;
}

// Black's stone stands at `cell` and its line d is a three by the line values: whether one of
// the points that make it a straight four is one Black may play. Such a point lies next to the
// run of Black stones through `cell` on this line, one on each side at most.
bool IsRealThree(int cell, int d, int stones) {
    const int step = LINE_STEP[d];
    bool seen = false;
    for (const int dir : {step, -step}) {
        int c = cell + dir;
        while (g_board[c] == CELL_BLACK)
            c += dir;
        if (g_board[c] != CELL_EMPTY || !MakesStraightFour(c, step)) continue;
        seen = true;
        if (!ForbiddenWithTrialStones(c, d, stones)) return true;
    }
    // Line values taken from this board always show a straight-four point; without one they
    // came from elsewhere, and the three stands as they say.
    return !seen;
}

// Stands a trial Black stone on `cell` (empty, with these line classes) and counts its real
// threes, stopping at two: more do not change any verdict.
int CountRealThrees(int cell, const int32_t* classes, int stones) {
    const uint8_t was = g_board[cell];
    g_board[cell] = CELL_BLACK;
    int real = 0;
    for (int d = 0; d < 4 && real < 2; ++d) {
        if (classes[d] == CLASS_THREE && IsRealThree(cell, d, stones + 1)) ++real;
    }
    g_board[cell] = was;
    return real;
}

// The exact number of real threes (up to 2) at the empty point (x, y), where its lines show two
// or more. Kept out of line: the callers' common path never comes here.
[[gnu::noinline]] int ConfirmedThrees(int x, int y) {
    const int32_t* values = g_blackLine[PointIndex(x, y)];
    const int32_t classes[4] = {ClassOfValue(values[0]), ClassOfValue(values[1]), ClassOfValue(values[2]),
                                ClassOfValue(values[3])};
    return CountRealThrees(CellIndex(x, y), classes, 0);
}

}  // namespace

int32_t ClassifyBlack(int x, int y) {
    const Counts c = CountClasses(g_blackLine[PointIndex(x, y)]);
    if (g_restricted != 1) return ClassifyFree(c, 5);
    if (c.fives > 0) return 3;  // a five wins even where it also makes a forbidden shape
    if (c.fours + c.openFours > 1 || c.forbidden > 0) return 4;
    int threes = c.threes;
    if (threes > 1) {
        threes = ConfirmedThrees(x, y);
        if (threes > 1) return 4;
    }
    if (threes + c.fours + c.openFours > 1) return 1;
    if (c.openFours > 0) return 2;
    return 0;
}

int32_t ClassifyWhite(int x, int y) {
    return ClassifyFree(CountClasses(g_whiteLine[PointIndex(x, y)]), 4);
}

ForbiddenShape ForbiddenShapeBlack(int x, int y) {
    const int32_t* lines = g_blackLine[PointIndex(x, y)];
    const Counts c = CountClasses(lines);
    if (c.fives > 0) return FORBIDDEN_NONE;
    if (c.forbidden > 0) {
        for (int d = 0; d < 4; ++d) {
            if (lines[d] == OVERLINE_VALUE) return FORBIDDEN_OVERLINE;
        }
        return FORBIDDEN_DOUBLE_FOUR;  // two fours on one line
    }
    if (c.fours + c.openFours > 1) return FORBIDDEN_DOUBLE_FOUR;
    if (c.threes > 1 && ConfirmedThrees(x, y) > 1) return FORBIDDEN_DOUBLE_THREE;
    return FORBIDDEN_NONE;
}

int32_t IsForbiddenBlack(int x, int y) {
    const Counts c = CountClasses(g_blackLine[PointIndex(x, y)]);
    if (c.fives > 0) return 0;
    if (c.fours + c.openFours > 1 || c.forbidden > 0) return 1;
    return c.threes > 1 && ConfirmedThrees(x, y) > 1 ? 1 : 0;
}
