// Micro benchmarks of the engine core: push/pop with re-evaluation, table generation and
// table loading.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "engine/board.h"
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
