#include "engine/classes.h"

#include "engine/board.h"
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

}  // namespace

int32_t ClassifyBlack(int x, int y) {
    const Counts c = CountClasses(g_blackLine[PointIndex(x, y)]);
    if (g_restricted != 1) return ClassifyFree(c, 5);
    if (c.fives > 0) return 3;  // a five wins even where it also makes a forbidden shape
    if (c.threes > 1) return 4;
    if (c.fours + c.openFours > 1) return 4;
    if (c.forbidden > 0) return 4;
    if (c.threes + c.fours + c.openFours > 1) return 1;
    if (c.openFours > 0) return 2;
    return 0;
}

int32_t ClassifyWhite(int x, int y) {
    return ClassifyFree(CountClasses(g_whiteLine[PointIndex(x, y)]), 4);
}

int32_t IsForbiddenBlack(int x, int y) {
    const Counts c = CountClasses(g_blackLine[PointIndex(x, y)]);
    if (c.fives > 0) return 0;
    if (c.threes > 1 || c.fours + c.openFours > 1 || c.forbidden > 0) return 1;
    return 0;
}
