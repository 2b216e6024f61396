// Alpha-beta below the root, fail-soft. The root searches every move with the full window, so
// all its results stay exact. The early returns keep their meaning under windows: a computer
// node's alpha only ever comes from scores below SCORE_WIN (a node returns at once on a higher
// one), so a child that truly scores a win returns that exact score or fails high past beta;
// likewise a human node's beta only comes from scores above SCORE_LOSS, so a child that truly
// loses returns its exact score or fails low below alpha. Either way the node returns what
// plain minimax would, or a bound on it on the side where its parent ignores the difference.
// Children are searched in the same order, so the first win or loss met still decides.
#include "player/search.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include "engine/classes.h"
#include "engine/values.h"
#include "platform/random.h"
#include "player/candidates.h"
#include "player/display.h"
#include "player/evaluate.h"
#include "player/game_state.h"
#include "player/levels.h"

std::atomic<int32_t> g_stopSearch{0};
std::atomic<int32_t> g_ponderRunning{0};
int32_t g_extensionCount = 0;
int64_t g_searchNodes = 0;
bool g_searchPruning = true;

namespace {

constexpr int32_t Third4(int32_t v) {
    return 4 * v / 3;
}
constexpr int32_t Floor64(int32_t v) {
    return v >> 6;
}  // arithmetic shift: rounds down

bool StopRequested() {
    return g_stopSearch.load(std::memory_order_relaxed) != 0;
}

// Ordering values of the empty points, in point order, for the computer to move (maximising
// side) or the human. Occupied points are left out: their values are 0 and they are no moves.
void BuildCandidates(CandidateList& list, bool computerToMove) {
    int n = 0;
    const bool whiteToMove = computerToMove == (g_humanBlack == 1);
    // Early in the game the computer as White weighs its own values less.
    const int32_t early = computerToMove && g_moveCount < 16 ? g_moveCount + 52 : 0;
    for (int y = 0, p = 0; y < BOARD_SIZE; ++y) {
        const uint8_t* row = g_board + CellIndex(0, y);
        for (int x = 0; x < BOARD_SIZE; ++x, ++p) {
            if (row[x] != CELL_EMPTY) continue;
            const int32_t b = g_blackValue[p], w = g_whiteValue[p];
            int32_t v;
            if (whiteToMove)
                v = early ? b + Floor64(w * early) : b + Third4(w);
            else
                v = w + Third4(b);
            list.value[n] = v;
            list.point[n] = p;
            ++n;
        }
    }
    list.n = n;
}

// The width cut below the root.
bool WidthCut(int i, int32_t value) {
    return i >= g_searchWidth && value + 4 * (g_searchWidth - i) < 26;
}

bool DisplayOn(int minimumMode) {
    return g_display && g_searchMode >= minimumMode && g_ponderRunning.load(std::memory_order_relaxed) == 0;
}

// Scores of nodes already searched in this search, as bounds with the window they were
// searched with. A node's score depends on its stones, its kind (computer or human to move),
// its remaining depth, the extensions in force and the width: all of it is in the key. Loss
// scores depend on the depth, so only entries of the same depth count.
constexpr int TABLE_BITS = 18;
constexpr int TABLE_MIN_DEPTH = 3;  // shallower nodes cost less than the look-up pays back

enum Bound : uint8_t { BOUND_EXACT, BOUND_LOWER, BOUND_UPPER };

struct TableEntry {
    uint64_t stones = 0;  // hash of the stones
    int32_t value = 0;
    uint32_t search = 0;  // the search that wrote it; 0: empty
    int8_t depth = 0;
    int8_t extensions = 0;
    int8_t width = 0;
    uint8_t kind = 0;  // bit 0: computer to move; bits 1-2: the bound
};

// One table for whichever thread searches: searches never overlap, as they share the engine
// board. Its pages are only touched once a search uses them.
struct SearchTable {
    TableEntry entries[size_t{1} << TABLE_BITS];
    uint32_t search = 0;
    uint64_t stones = 0;  // hash of the engine board's stones, kept by the search's pushes
};
SearchTable g_table;

// Random keys for a stone of either colour on each point.
constexpr auto STONE_KEYS = [] {
    std::array<std::array<uint64_t, POINT_COUNT>, 2> keys{};
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (auto& colour : keys) {
        for (uint64_t& key : colour) {
            state += 0x9E3779B97F4A7C15ull;  // splitmix64
            uint64_t z = state;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            key = z ^ (z >> 31);
        }
    }
    return keys;
}();

// The stone the next push places, by the parity of the engine stack.
void ToggleStone(int point) {
    g_table.stones ^= STONE_KEYS[g_stackCount & 1][point];
}

void PushMove(int x, int y) {
    ToggleStone(PointIndex(x, y));
    EnginePush(x, y);
}

void PopMove(int x, int y) {
    EnginePop();
    ToggleStone(PointIndex(x, y));
}

// Starts a search: a fresh table generation and the hash of the stones on the board.
void StartTable() {
    if (++g_table.search == 0) {  // wrapped: forget every entry
        std::fill(std::begin(g_table.entries), std::end(g_table.entries), TableEntry{});
        g_table.search = 1;
    }
    g_table.stones = 0;
    for (int i = 0; i < g_stackCount; ++i) {
        const MoveEntry m = g_stack[i];
        g_table.stones ^= STONE_KEYS[i & 1][PointIndex(m.x, m.y)];
    }
}

// Searches a node through the table: a stored score is used when it decides the node within
// the window; a newly searched one is stored with its bound.
template <class Node>
int32_t Remembered(bool computerToMove, int depth, int32_t alpha, int32_t beta, Node node) {
    if (!g_searchPruning || depth < TABLE_MIN_DEPTH) return node(depth, alpha, beta);
    const uint64_t stones = g_table.stones;
    const size_t slot = stones & ((size_t{1} << TABLE_BITS) - 1);
    const auto same = [&](const TableEntry& e) {
        return e.search == g_table.search && e.stones == stones && e.depth == depth &&
               e.extensions == g_extensionCount && e.width == g_searchWidth && (e.kind & 1) == computerToMove;
    };
    const TableEntry& e = g_table.entries[slot];
    if (same(e)) {
        const Bound bound = static_cast<Bound>(e.kind >> 1);
        if (bound == BOUND_EXACT || (bound == BOUND_LOWER && e.value >= beta) ||
            (bound == BOUND_UPPER && e.value <= alpha))
            return e.value;
    }
    const int32_t value = node(depth, alpha, beta);
    if (StopRequested()) return value;  // a stopped search's scores mean nothing
    const Bound bound = value <= alpha ? BOUND_UPPER : value >= beta ? BOUND_LOWER : BOUND_EXACT;
    TableEntry& slotEntry = g_table.entries[slot];
    slotEntry.stones = stones;
    slotEntry.value = value;
    slotEntry.search = g_table.search;
    slotEntry.depth = static_cast<int8_t>(depth);
    slotEntry.extensions = static_cast<int8_t>(g_extensionCount);
    slotEntry.width = static_cast<int8_t>(g_searchWidth);
    slotEntry.kind = static_cast<uint8_t>((computerToMove ? 1 : 0) | bound << 1);
    return value;
}

int32_t MaxNode(int depth, int32_t alpha, int32_t beta);
int32_t MinNode(int depth, int32_t alpha, int32_t beta);

}  // namespace

void SelectTopCandidates(Candidate* list, int n) {
    const int top = n < ROOT_MOVES ? n : ROOT_MOVES;
    for (int k = 0; k < top; ++k) {
        for (int j = k + 1; j < n; ++j) {
            if (list[k].value < list[j].value) std::swap(list[k], list[j]);
        }
    }
}

int32_t SearchMax(int depth, int32_t alpha, int32_t beta) {
    ++g_searchNodes;
    if (StopRequested()) return 0;
    if (depth <= 1) return EvaluatePosition();
    return Remembered(true, depth, alpha, beta, MaxNode);
}

int32_t SearchMin(int depth, int32_t alpha, int32_t beta) {
    ++g_searchNodes;
    return Remembered(false, depth, alpha, beta, MinNode);
}

namespace {

int32_t MaxNode(int depth, int32_t alpha, int32_t beta) {
    CandidateList list;
    BuildCandidates(list, true);
    if (list.n == 0) return 0;  // a full board is a draw
    SelectTop(list);
    const int n = list.n;
    const bool computerWhite = g_humanBlack == 1;
    const bool show = depth > 5 && DisplayOn(2);
    int32_t best = SCORE_NONE;
    int r = 0;
    for (int i = 0; i < ROOT_MOVES && i < n; ++i) {
        const Candidate c{list.value[i], list.point[i]};
        if (WidthCut(i, c.value)) break;
        const int x = c.point % BOARD_SIZE, y = c.point / BOARD_SIZE;
        if (computerWhite) {
            if (g_whiteValue[c.point] >= FIVE_VALUE) return SCORE_WIN;
        } else if (g_restricted == 1) {
            const int32_t code = ClassifyBlack(x, y);
            if (code == 4) {
                if (r == i) r = i + 1;
                continue;
            }
            if (code == 3) return SCORE_WIN;
        } else if (g_blackValue[c.point] >= FIVE_VALUE) {
            return SCORE_WIN;
        }
        if (c.value < list.value[r] / 3) break;

        if (show) g_display->DrawStone(x, y, g_humanBlack);
        PushMove(x, y);
        const int32_t s = SearchMin(depth - 1, g_searchPruning && best > alpha ? best : alpha, beta);
        PopMove(x, y);
        if (show) g_display->ErasePoint(x, y);
        if (s > best) {
            if (s >= SCORE_WIN) return s;
            best = s;
            if (best >= beta) return best;  // the human avoids this line: a lower bound is enough
        }
        if (c.value >= FIVE_VALUE) break;  // a five or a forced block: nothing else to look at
    }
    return best;
}

int32_t MinNode(int depth, int32_t alpha, int32_t beta) {
    CandidateList list;
    BuildCandidates(list, false);
    if (list.n == 0) return 0;  // a full board is a draw
    SelectTop(list);
    const int n = list.n;
    const bool humanBlack = g_humanBlack == 1;
    const bool show = depth > 5 && DisplayOn(2);
    int32_t best = SCORE_TOP;
    int r = 0;
    for (int i = 0; i < ROOT_MOVES && i < n; ++i) {
        const Candidate c{list.value[i], list.point[i]};
        if (WidthCut(i, c.value)) break;
        const int x = c.point % BOARD_SIZE, y = c.point / BOARD_SIZE;
        // A loss found higher in the tree is worse than one found later.
        const int32_t loss = SCORE_LOSS - 256 * depth;
        if (humanBlack) {
            if (g_restricted == 1) {
                const int32_t code = ClassifyBlack(x, y);
                if (code == 4) {
                    if (r == i) r = i + 1;
                    continue;
                }
                if (code == 3) return loss;
            } else if (g_blackValue[c.point] >= FIVE_VALUE) {
                return loss;
            }
        } else if (g_whiteValue[c.point] >= FIVE_VALUE) {
            return loss;
        }
        if (c.value < list.value[r] / 3) break;

        const int32_t own = humanBlack ? g_blackValue[c.point] : g_whiteValue[c.point];
        if (show) g_display->DrawStone(x, y, 1 - g_humanBlack);
        PushMove(x, y);
        const int32_t childBeta = g_searchPruning && best < beta ? best : beta;
        int32_t s;
        if (own > 20 && depth < 2 && g_extensionCount < g_extensionLimit) {
            // A threatening move at the horizon is answered with two more plies.
            ++g_extensionCount;
            s = SearchMax(2, alpha, childBeta);
            --g_extensionCount;
        } else {
            s = SearchMax(depth - 1, alpha, childBeta);
        }
        PopMove(x, y);
        if (show) g_display->ErasePoint(x, y);
        if (s < best) {
            if (s <= SCORE_LOSS) return s;
            best = s;
            if (best <= alpha) return best;  // the computer avoids this line: an upper bound is enough
        }
        if (c.value >= FIVE_VALUE) break;
    }
    return best;
}

struct Examined {
    int32_t score;
    MoveEntry move;
};

// Descending by score with the same exchange rule as the candidate selection.
void OrderExamined(Examined* list, int n) {
    for (int k = 0; k < n; ++k) {
        for (int j = k + 1; j < n; ++j) {
            if (list[k].score < list[j].score) std::swap(list[k], list[j]);
        }
    }
}

}  // namespace

int32_t SearchRoot(int32_t* x, int32_t* y, int depth, RootResults* results) {
    *results = RootResults{};
    int child = depth - 1;
    StartTable();

    CandidateList list;
    BuildCandidates(list, true);
    if (g_searchWidth >= 8) g_searchWidth = depth - 1;  // stays until the next configuration
    SelectTop(list);
    const int n = list.n;
    if (n == 0) {  // a full board: nothing to play
        *x = *y = -1;
        return SCORE_QUICK;
    }

    *x = list.point[0] % BOARD_SIZE;  // the provisional answer
    *y = list.point[0] / BOARD_SIZE;
    auto answer = [&](const Candidate& c) {
        *x = c.point % BOARD_SIZE;
        *y = c.point / BOARD_SIZE;
    };
    // A quiet position is searched two plies shallower.
    if (depth > 5 && g_moveCount > 7 && list.value[0] < 34 && n > 4 && list.value[4] < 20) child = depth - 3;

    const bool computerWhite = g_humanBlack == 1;
    const bool show = DisplayOn(1);
    Examined examined[ROOT_MOVES];
    int count = 0;
    int r = 0;
    for (int i = 0; i < ROOT_MOVES && i < n; ++i) {
        const Candidate c{list.value[i], list.point[i]};
        if (i > g_searchWidth && c.value + 2 * (g_searchWidth - i) < 26) break;
        if (StopRequested()) return SCORE_EVEN;
        const int cx = c.point % BOARD_SIZE, cy = c.point / BOARD_SIZE;
        const int32_t b = g_blackValue[c.point], w = g_whiteValue[c.point];
        if (computerWhite) {
            if (w >= FIVE_VALUE) return answer(c), SCORE_WIN;
            const bool humanFive = g_restricted == 1 ? ClassifyBlack(cx, cy) == 3 : b >= FIVE_VALUE;
            if (humanFive) return answer(c), SCORE_QUICK;  // the block is forced
        } else {
            if (g_restricted == 1) {
                const int32_t code = ClassifyBlack(cx, cy);
                if (code == 4) {
                    examined[count++] = {SCORE_NONE, {cx, cy}};
                    if (r == i) r = i + 1;
                    continue;
                }
                if (code == 3) return answer(c), SCORE_WIN;
            } else if (b >= FIVE_VALUE) {
                return answer(c), SCORE_WIN;
            }
            if (w >= FIVE_VALUE) return answer(c), SCORE_QUICK;
        }
        if (c.value < list.value[r] / 3) {
            examined[count++] = {SCORE_LOSS, {cx, cy}};
            break;
        }

        if (show) g_display->DrawStone(cx, cy, g_humanBlack + 2);
        PushMove(cx, cy);
        const int32_t savedWidth = g_searchWidth;
        if (g_searchWidth > 5 && g_moveCount < 12) g_searchWidth = 5;
        const int32_t s = SearchMin(child, FULL_WINDOW_LOW, FULL_WINDOW_HIGH);
        g_searchWidth = savedWidth;
        if (show) g_display->ErasePoint(cx, cy);
        examined[count++] = {s, {cx, cy}};
        PopMove(cx, cy);
        if (s >= SCORE_WIN) break;
    }

    if (count < 2) return count == 1 && examined[0].score >= SCORE_WIN ? examined[0].score : SCORE_QUICK;

    OrderExamined(examined, count);
    for (int i = 0; i < count; ++i) {
        results->moves[i] = examined[i].move;
        results->scores[i] = examined[i].score;
    }
    results->count = count;

    // Variety: a random pick among the moves within the margin of the best, the best most likely.
    const int32_t floor = examined[0].score - g_varietyMargin[g_variety];
    int k = 1;
    while (k < count && examined[k].score >= floor)
        ++k;
    const int32_t k2 = 1 + NextRandom() % k;
    const int32_t j = NextRandom() % k2;
    *x = examined[j].move.x;
    *y = examined[j].move.y;
    return examined[j].score;
}
