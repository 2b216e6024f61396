// Micro benchmarks of the engine core: push/pop with re-evaluation, Black's rule test, table
// generation and table loading.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "engine/board.h"
#include "engine/classes.h"
#include "engine/patterns.h"
#include "engine/values.h"
#include "tools/tablegen/shape_table.h"

namespace {

void LoadTablesOrDie() {
    static const bool loaded = [] {
        const TableLoadResult r = LoadPatternTables(RENJU_TABLE_DIR);
        if (!r.ok) std::fprintf(stderr, "%s\n", r.message.c_str());
        return r.ok;
    }();
    if (!loaded) std::exit(1);
}

// A middle-game position: `moves` stones placed at random around the centre, then the
// empty points near them, where a search would try its moves.
std::vector<MoveEntry> SetUpMiddleGame(int rule, int moves, unsigned seed) {
    g_rule = rule;
    ResetBoards();
    std::mt19937 rng(seed);
    while (g_stackCount < moves) {
        const int x = 4 + static_cast<int>(rng() % 11), y = 4 + static_cast<int>(rng() % 11);
        if (g_board[CellIndex(x, y)] == CELL_EMPTY) EnginePush(x, y);
    }
    std::vector<MoveEntry> trials;
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            if (g_board[CellIndex(x, y)] != CELL_EMPTY) continue;
            bool near = false;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    const int c = g_board[CellIndex(x, y) + dx + BOARD_STRIDE * dy];
                    near |= c == CELL_BLACK || c == CELL_WHITE;
                }
            }
            if (near) trials.push_back({x, y});
        }
    }
    return trials;
}

// One push and its pop per iteration, cycling over the empty points near the stones of a
// middle-game position, where a search makes its trial moves.
void BM_EnginePushPop(benchmark::State& state) {
    LoadTablesOrDie();
    const std::vector<MoveEntry> trials = SetUpMiddleGame(static_cast<int>(state.range(0)), 40, 7);
    size_t i = 0;
    for (auto _ : state) {
        const MoveEntry m = trials[i];
        if (++i == trials.size()) i = 0;
        EnginePush(m.x, m.y);
        EnginePop();
    }
    benchmark::DoNotOptimize(g_blackValue);
}
BENCHMARK(BM_EnginePushPop)->ArgName("rule")->Arg(0)->Arg(1);

// Crowded Black shapes under restrictions: 29 points that Black's four line values call a
// double three, 8 of them with a three that no legal move makes a straight four, some decided
// only three or four points deep.
const char* const DOUBLE_THREE_BOARD[BOARD_SIZE] = {
    "...O...O........O..", "....X..X...........", ".....XXX.....X..X..", "......XX......X.X..",
    "..O.XX.....O.XX....", "...............X...", "..............X....", "...................",
    "...................", "...................", "................X..", ".....XX.........X..",
    "...X..X.........X..", ".....XX....O.XX....", ".XXX.X........XXX..", "...............XX..",
    "...................", "...................", "...................",
};

// Sets up DOUBLE_THREE_BOARD with every value looked up, and returns its double-three points.
std::vector<MoveEntry> SetUpDoubleThrees() {
    g_rule = 1;
    ResetBoards();
    for (int y = 0; y < BOARD_SIZE; ++y) {
        for (int x = 0; x < BOARD_SIZE; ++x) {
            const char c = DOUBLE_THREE_BOARD[y][x];
            g_board[CellIndex(x, y)] = c == 'X' ? CELL_BLACK : c == 'O' ? CELL_WHITE : CELL_EMPTY;
        }
    }
    std::vector<MoveEntry> points;
    for (int p = 0; p < POINT_COUNT; ++p) {
        const int x = p % BOARD_SIZE, y = p / BOARD_SIZE;
        int32_t* b = g_blackLine[p];
        int32_t* w = g_whiteLine[p];
        if (g_board[CellIndex(x, y)] == CELL_EMPTY) {
            LookupRow(x, y, &b[DIR_HORIZONTAL], &w[DIR_HORIZONTAL]);
            LookupColumn(x, y, &b[DIR_VERTICAL], &w[DIR_VERTICAL]);
            LookupAntiDiagonal(x, y, &b[DIR_ANTIDIAGONAL], &w[DIR_ANTIDIAGONAL]);
            LookupDiagonal(x, y, &b[DIR_DIAGONAL], &w[DIR_DIAGONAL]);
        }
        g_blackValue[p] = b[0] + b[1] + b[2] + b[3];
        g_whiteValue[p] = w[0] + w[1] + w[2] + w[3];
        int threes = 0;
        for (int d = 0; d < 4; ++d)
            threes += ClassOfValue(b[d]) == CLASS_THREE;
        if (threes > 1) points.push_back({x, y});
    }
    RebuildKeptState();
    return points;
}

// The timed loop of ClassifyBlack over `points`, counted per point; returns the forbidden
// verdicts over all iterations.
int TimeClassifyBlack(benchmark::State& state, const std::vector<MoveEntry>& points) {
    int forbidden = 0;
    for (auto _ : state) {
        for (const MoveEntry& m : points)
            forbidden += ClassifyBlack(m.x, m.y) == 4;
    }
    benchmark::DoNotOptimize(forbidden);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
    state.counters["points"] = static_cast<double>(points.size());
    return forbidden;
}

// ClassifyBlack at each of the double-three points, per point.
void BM_ClassifyBlackDoubleThree(benchmark::State& state) {
    LoadTablesOrDie();
    const std::vector<MoveEntry> points = SetUpDoubleThrees();
    const int forbidden = TimeClassifyBlack(state, points);
    state.counters["forbidden"] = static_cast<double>(forbidden) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ClassifyBlackDoubleThree);

// ClassifyBlack at every empty point near the stones of a middle game under restrictions, the
// usual mix where few points are double threes.
void BM_ClassifyBlackNearStones(benchmark::State& state) {
    LoadTablesOrDie();
    const std::vector<MoveEntry> trials = SetUpMiddleGame(1, 40, 7);
    int doubleThrees = 0;
    for (const MoveEntry& m : trials) {
        int threes = 0;
        for (const int32_t v : g_blackLine[PointIndex(m.x, m.y)])
            threes += ClassOfValue(v) == CLASS_THREE;
        doubleThrees += threes > 1;
    }
    TimeClassifyBlack(state, trials);
    state.counters["double threes"] = doubleThrees;
}
BENCHMARK(BM_ClassifyBlackNearStones);

void BM_TableGeneration(benchmark::State& state) {
    std::vector<int8_t> black(BLACK_TABLE_BYTES), white(WHITE_TABLE_BYTES);
    for (auto _ : state) {
        BuildPatternTables(black.data(), white.data());
        benchmark::DoNotOptimize(black.data());
    }
}
BENCHMARK(BM_TableGeneration)->Unit(benchmark::kMillisecond);

void BM_TableLoading(benchmark::State& state) {
    for (auto _ : state) {
        const TableLoadResult r = LoadPatternTables(RENJU_TABLE_DIR);
        if (!r.ok) state.SkipWithError(r.message.c_str());
    }
}
BENCHMARK(BM_TableLoading)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
