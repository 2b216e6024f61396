#include "player/quick.h"

#include <algorithm>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/values.h"
#include "platform/random.h"
#include "player/game_state.h"
#include "player/search.h"

int32_t ChooseQuickMove(int32_t* x, int32_t* y) {
    Candidate list[POINT_COUNT];
    int n = 0;
    for (int p = 0; p < POINT_COUNT; ++p) {
        const int px = p % BOARD_SIZE, py = p / BOARD_SIZE;
        if (g_board[CellIndex(px, py)] != CELL_EMPTY) continue;  // never play on a stone
        const int32_t b = g_blackValue[p], w = g_whiteValue[p];
        int32_t value;
        if (g_humanBlack == 1) {
            value = b + 4 * w / 3;
        } else if (g_restricted > 0 && b >= 26 && IsForbiddenBlack(px, py) == 1) {
            value = SCORE_NONE;
        } else {
            value = w + 4 * b / 3;
        }
        list[n++] = {value, p};
    }
    if (n == 0) {  // a full board: no point to give, and none that could be mistaken for one
        *x = *y = -1;
        return SCORE_NONE;
    }
    std::stable_sort(list, list + n,
                     [](const Candidate& a, const Candidate& b) { return a.value > b.value; });

    const int32_t d = g_moveCount - g_humanBlack;
    const int32_t margin = d < 4 ? 4 * d + 4 : 16;
    int keep = 1;
    while (keep < QUICK_KEEP && keep < n && list[keep].value > list[0].value - margin)
        ++keep;

    // Two draws: the best is always the most likely.
    const int32_t k = 1 + NextRandom() % keep;
    const int32_t j = NextRandom() % k;
    *x = list[j].point % BOARD_SIZE;
    *y = list[j].point / BOARD_SIZE;
    return list[j].value;
}
